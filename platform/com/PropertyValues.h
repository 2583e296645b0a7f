#pragma once
#include "platform/com/Variant.h"

#include <QString>

#include <utility>
#include <vector>

/// @file
/// The saved properties of one control.

/// A control's saved properties as (name, value) pairs, in the order the control wrote them.
/// @since 3.5
using PropertyValues = std::vector<std::pair<QString, Variant>>;
