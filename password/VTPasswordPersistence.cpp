#include "password/VTPasswordPersistence.h"

#include "password/VTPassword.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/VariantConversion.h"

#include <variant>

namespace {

using Field = std::variant<std::int32_t VTPasswordFields::*, VBool VTPasswordFields::*,
                           QString VTPasswordFields::*>;

struct Row {
    const char16_t *name;
    Field field;
    Variant defaultValue;
    // A second name for a field saved under another name first: read with that field's
    // loaded value as default and never applied.
    bool mirror = false;
};

const std::vector<Row> &rows()
{
    using F = VTPasswordFields;
    static const std::vector<Row> table{
        {u"Size", &F::size, Variant::int32(0)},
        {u"ActiveButtons", &F::activeButtons, Variant::boolean(VFalse)},
        {u"UseImages", &F::useImages, Variant::boolean(VTrue)},
        {u"Password", &F::password, Variant(u"")},
        {u"Cancelled", &F::cancelled, Variant::boolean(VFalse)},
        {u"Validated", &F::validated, Variant::boolean(VFalse)},
        // The length defaults are 16-bit zeros; the values are 32-bit.
        {u"MinLength", &F::minLength, Variant::int16(0)},
        {u"MaxLength", &F::maxLength, Variant::int16(0)},
        {u"DialogTitleGetPassword", &F::dialogTitleGetPassword, Variant(u"Password Required")},
        {u"DialogTitleCreatePassword", &F::dialogTitleCreatePassword, Variant(u"Create Password")},
        {u"DialogTitleChangePassword", &F::dialogTitleChangePassword, Variant(u"Change Password")},
        {u"CaseSensitive", &F::caseSensitive, Variant::boolean(VTrue)},
        {u"DBPassword", &F::password, Variant(u""), true},
        {u"CaptionChangeOldPwd", &F::captionChangeOldPwd, Variant(u"&Enter Old Password:")},
        {u"CaptionChangeNewPwd", &F::captionChangeNewPwd, Variant(u"Enter &New Password:")},
        {u"CaptionChangeCfmPwd", &F::captionChangeCfmPwd, Variant(u"Confir&m New Password:")},
        {u"CaptionCreateEntPwd", &F::captionCreateEntPwd, Variant(u"&Enter Password:")},
        {u"CaptionCreateCfmPwd", &F::captionCreateCfmPwd, Variant(u"Confir&m Password:")},
        {u"CaptionGetPassword", &F::captionGetPassword, Variant(u"&Enter Password:")},
        {u"CaptionOK", &F::captionOK, Variant(u"&OK")},
        // The Cancel caption is saved under this name, not under its property's.
        {u"CaptionCreateCancel", &F::captionCancel, Variant(u"&Cancel")},
    };
    return table;
}

// The value type of each kind of field (VBool is the 16-bit Boolean).
template <class T>
struct FieldTraits;
template <>
struct FieldTraits<std::int32_t> : VarTraits<VarType::I4> {
};
template <>
struct FieldTraits<VBool> : VarTraits<VarType::Bool> {
};
template <>
struct FieldTraits<QString> : VarTraits<VarType::String> {
};

Variant valueOf(const VTPasswordFields &fields, const Field &field)
{
    return std::visit(
        [&](auto member) {
            using Traits = FieldTraits<std::remove_cvref_t<decltype(fields.*member)>>;
            return Traits::make(fields.*member);
        },
        field);
}

// Converts `value` to the field's type and stores it; false when it does not convert.
bool store(VTPasswordFields &fields, const Field &field, const Variant &value)
{
    return std::visit(
        [&](auto member) {
            using Traits = FieldTraits<std::remove_cvref_t<decltype(fields.*member)>>;
            Variant converted;
            if (FAILED(changeType(value, Traits::varType, &converted)))
                return false;
            fields.*member = Traits::get(converted);
            return true;
        },
        field);
}

} // namespace

void initProperties(VTPasswordFields &fields)
{
    for (const Row &row : rows())
        if (!row.mirror)
            store(fields, row.field, row.defaultValue);
}

void readProperties(VTPasswordFields &fields, IPropertyBag &bag)
{
    for (const Row &row : rows()) {
        const Variant defaultValue = row.mirror ? valueOf(fields, row.field) : row.defaultValue;
        Variant value;
        if (FAILED(bag.Read(QString::fromUtf16(row.name), &value, defaultValue)) || row.mirror)
            continue;
        store(fields, row.field, value);
    }
}

HRESULT writeProperties(const VTPasswordFields &fields, IPropertyBag &bag)
{
    for (const Row &row : rows())
        if (const HRESULT hr = bag.Write(QString::fromUtf16(row.name), valueOf(fields, row.field),
                                         row.defaultValue);
            FAILED(hr))
            return hr;
    return S_OK;
}

HRESULT VTPassword::InitNew()
{
    initProperties(m_fields);
    return S_OK;
}

HRESULT VTPassword::Load(IPropertyBag *bag)
{
    if (!bag)
        return E_POINTER;
    readProperties(m_fields, *bag);
    return S_OK;
}

HRESULT VTPassword::Save(IPropertyBag *bag)
{
    if (!bag)
        return E_POINTER;
    return writeProperties(m_fields, *bag);
}
