#pragma once
#include "platform/com/TypeInfo.h"
#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"

#include <QStringList>

#include <vector>

/// Late-bound access to an object's members by dispatch id, described by its function table.
/// @since 3.5
struct IDispatch : IUnknown {
    static constexpr IID iid{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    /// The description of the interface that Invoke serves.
    [[nodiscard]] virtual HRESULT GetTypeInfo(const InterfaceDesc **info) = 0;
    /// One id per name (letter case does not matter); a name that is no member gets
    /// DISPID_UNKNOWN and the call answers DISP_E_UNKNOWNNAME.
    [[nodiscard]] virtual HRESULT GetIDsOfNames(const QStringList &names,
                                                std::vector<DispId> *ids) = 0;
    /// Calls member `id` as `flags` asks. A property write takes exactly one argument, the new
    /// value; a by-reference argument lets the member write back into the caller's variable.
    [[nodiscard]] virtual HRESULT Invoke(DispId id, std::uint16_t flags, std::vector<Variant> &args,
                                         Variant *result) = 0;
};
