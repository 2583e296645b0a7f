#pragma once
#include "platform/com/ComObject.h"
#include "platform/com/PersistPropertyBag.h"
#include "platform/com/PlatformComExport.h"
#include "platform/com/PropertyValues.h"

// The container's property bag for one control: the saved values in the order written.
class PLATFORMCOM_EXPORT PropertyBag final : public ComObject<IPropertyBag> {
public:
    explicit PropertyBag(PropertyValues values = {});

    [[nodiscard]] HRESULT Read(const QString &name, Variant *value,
                               const Variant &defaultValue) override;
    // Fails with E_INVALIDARG for a name that the saved form cannot hold (empty, with a line
    // break, a colon or surrounding blanks). References are saved as the values they refer to.
    [[nodiscard]] HRESULT Write(const QString &name, const Variant &value,
                                const Variant &defaultValue) override;

    const PropertyValues &values() const { return m_values; }

private:
    void *findInterface(const IID &iid) override;
    PropertyValues::iterator find(const QString &name);

    PropertyValues m_values;
};

// Whether a written value equals its default: numbers and Booleans compare by value whatever
// their width (a 32-bit 0 equals a 16-bit 0), strings compare exactly.
PLATFORMCOM_EXPORT bool equalsDefault(const Variant &value, const Variant &defaultValue);
