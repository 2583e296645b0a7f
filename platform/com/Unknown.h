#pragma once
#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

#include <cstdint>

/// The root of every component interface: reference counting and asking an object for
/// another of its interfaces. An object is destroyed by the Release that drops its last
/// reference, never by `delete` through an interface pointer.
/// @since 3.5
struct IUnknown {
    static constexpr IID iid{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    /// On success `*object` holds an added reference; on failure it is set to null.
    [[nodiscard]] virtual HRESULT QueryInterface(const IID &iid, void **object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};
