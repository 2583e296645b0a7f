#pragma once
#include "platform/com/ControlSite.h"

#include <cstdint>

class QPainter;

// Miscellaneous status bits that a control class registers and containers honour.
enum MiscStatus : std::uint32_t {
    OLEMISC_RECOMPOSEONRESIZE = 0x1,
    OLEMISC_CANTLINKINSIDE = 0x10,
    OLEMISC_INSIDEOUT = 0x80,
    OLEMISC_ACTIVATEWHENVISIBLE = 0x100,
    OLEMISC_INVISIBLEATRUNTIME = 0x400,
    OLEMISC_SETCLIENTSITEFIRST = 0x20000,
};

// What a container calls on a control it hosts.
struct IEmbeddedControl : IUnknown {
    static constexpr IID iid{
        0x0E8D4B17, 0x2C6A, 0x4F3E, {0x9D, 0x41, 0x7B, 0x25, 0xE0, 0x8C, 0x13, 0xA6}};

    // The control keeps a reference to its site; null detaches it.
    [[nodiscard]] virtual HRESULT SetClientSite(IControlSite *site) = 0;
    [[nodiscard]] virtual HRESULT GetMiscStatus(std::uint32_t *status) = 0;
    // Draws the control's surface with its top-left corner at the painter's origin.
    [[nodiscard]] virtual HRESULT Draw(QPainter &painter) = 0;
    // The container changed the control's extent (for example the developer dragged it).
    [[nodiscard]] virtual HRESULT ExtentChanged() = 0;
};
