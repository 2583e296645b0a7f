#pragma once
#include "platform/com/PlatformComExport.h"
#include <QString>
#include <QStringView>

#include <array>
#include <compare>
#include <cstdint>
#include <optional>

/// A 128-bit globally unique identifier in the usual four-part layout, written as
/// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
/// @since 3.5
struct PLATFORMCOM_EXPORT Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    /// Accepts the text with or without braces, in either letter case.
    static std::optional<Guid> fromString(QStringView text);
    /// Upper-case hexadecimal with braces.
    QString toString() const;
    bool isNull() const { return *this == Guid{}; }

    friend constexpr bool operator==(const Guid &, const Guid &) = default;
    friend constexpr auto operator<=>(const Guid &, const Guid &) = default;
};

using IID = Guid;
using CLSID = Guid;
