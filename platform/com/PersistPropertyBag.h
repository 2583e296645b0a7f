#pragma once
#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"

#include <QString>

// The named-value store in which a container keeps one control's saved properties.
struct IPropertyBag : IUnknown {
    static constexpr IID iid{
        0x9A3E61C4, 0x5B72, 0x4E08, {0xA1, 0x6D, 0x28, 0xF4, 0x0B, 0x97, 0xC3, 0x5E}};

    // The saved value of `name`, or `defaultValue` when nothing is saved under it.
    [[nodiscard]] virtual HRESULT Read(const QString &name, Variant *value,
                                       const Variant &defaultValue) = 0;
    // Saves `value` under `name`; a value equal to `defaultValue` is left out of the saved form.
    [[nodiscard]] virtual HRESULT Write(const QString &name, const Variant &value,
                                        const Variant &defaultValue) = 0;
};

// A control that keeps its properties with the host form.
struct IPersistPropertyBag : IUnknown {
    static constexpr IID iid{
        0x4F70C2A8, 0xD915, 0x4B6C, {0x8E, 0x02, 0x5A, 0x3B, 0x71, 0xC9, 0x64, 0xF1}};

    // A newly placed control with nothing saved: take the defaults.
    [[nodiscard]] virtual HRESULT InitNew() = 0;
    [[nodiscard]] virtual HRESULT Load(IPropertyBag *bag) = 0;
    [[nodiscard]] virtual HRESULT Save(IPropertyBag *bag) = 0;
};
