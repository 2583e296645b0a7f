#pragma once
#include <cstdint>

/// The 16-bit Boolean that crosses interfaces: True is -1, False is 0.
/// Inside the code plain `bool` is used; convert at the boundary.
/// @since 3.5
using VBool = std::int16_t;
inline constexpr VBool VTrue = -1;
inline constexpr VBool VFalse = 0;

inline constexpr VBool toVBool(bool value) { return value ? VTrue : VFalse; }
/// Any non-zero value counts as true, as it does for the 16-bit Boolean.
/// @since 3.5
inline constexpr bool isTrue(VBool value) { return value != 0; }
