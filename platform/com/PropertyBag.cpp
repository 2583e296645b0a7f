#include "platform/com/PropertyBag.h"

#include "platform/com/VariantConversion.h"

#include <algorithm>

namespace {

bool isNumeric(VarType type)
{
    return type == VarType::I2 || type == VarType::I4 || type == VarType::Bool;
}

bool isSavableName(const QString &name)
{
    return !name.isEmpty() && name.trimmed() == name && !name.contains(u':') &&
           !name.contains(u'\n') && !name.contains(u'\r');
}

// The value itself, with a reference replaced by what it refers to.
Variant byValue(const Variant &value)
{
    Variant plain;
    return SUCCEEDED(changeType(value, value.type(), &plain)) ? plain : Variant();
}

} // namespace

bool equalsDefault(const Variant &value, const Variant &defaultValue)
{
    if (isNumeric(value.type()) && isNumeric(defaultValue.type())) {
        Variant a, b;
        // A value that cannot be compared is kept rather than taken for its default.
        if (FAILED(changeType(value, VarType::I4, &a)) ||
            FAILED(changeType(defaultValue, VarType::I4, &b)))
            return false;
        return a.int32Value() == b.int32Value();
    }
    return value.type() == defaultValue.type() && value.stringValue() == defaultValue.stringValue();
}

PropertyBag::PropertyBag(PropertyValues values) : m_values(std::move(values)) {}

PropertyValues::iterator PropertyBag::find(const QString &name)
{
    return std::find_if(m_values.begin(), m_values.end(),
                        [&](const auto &entry) { return entry.first == name; });
}

HRESULT PropertyBag::Read(const QString &name, Variant *value, const Variant &defaultValue)
{
    if (!value)
        return E_POINTER;
    const auto entry = find(name);
    *value = entry == m_values.end() ? byValue(defaultValue) : entry->second;
    return S_OK;
}

HRESULT PropertyBag::Write(const QString &name, const Variant &value, const Variant &defaultValue)
{
    if (!isSavableName(name))
        return E_INVALIDARG;
    auto entry = find(name);
    if (equalsDefault(value, defaultValue)) {
        if (entry != m_values.end())
            m_values.erase(entry);
    } else if (entry != m_values.end()) {
        entry->second = byValue(value);
    } else {
        m_values.emplace_back(name, byValue(value));
    }
    return S_OK;
}

void *PropertyBag::findInterface(const IID &iid)
{
    return iid == IPropertyBag::iid ? static_cast<IPropertyBag *>(this) : nullptr;
}
