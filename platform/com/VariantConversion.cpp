#include "platform/com/VariantConversion.h"

#include <limits>

namespace {

bool isDigits(QStringView text)
{
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        text = text.mid(1);
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}

// The value as a number; a Boolean counts as its 16-bit value and text must hold an integer.
HRESULT numberOf(const Variant &value, std::int64_t *number)
{
    switch (value.type()) {
    case VarType::Empty:
        *number = 0;
        return S_OK;
    case VarType::I2:
        *number = value.int16Value();
        return S_OK;
    case VarType::I4:
        *number = value.int32Value();
        return S_OK;
    case VarType::Bool:
        *number = value.boolValue();
        return S_OK;
    case VarType::String:
        break;
    }
    const QString text = value.stringValue().trimmed();
    bool ok = false;
    *number = text.toLongLong(&ok);
    if (ok)
        return S_OK;
    return isDigits(text) ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
}

template <class T>
HRESULT toInteger(const Variant &from, T *result)
{
    std::int64_t number = 0;
    if (const HRESULT hr = numberOf(from, &number); FAILED(hr))
        return hr;
    if (number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max())
        return DISP_E_OVERFLOW;
    *result = T(number);
    return S_OK;
}

HRESULT toBoolean(const Variant &from, VBool *result)
{
    if (from.type() == VarType::Bool) {
        *result = from.boolValue();
        return S_OK;
    }
    if (from.type() == VarType::String) {
        const QString text = from.stringValue().trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0 ||
            text.compare(u"False", Qt::CaseInsensitive) == 0) {
            *result = toVBool(text.size() == 4);
            return S_OK;
        }
    }
    std::int64_t number = 0;
    const HRESULT hr = numberOf(from, &number);
    if (hr == DISP_E_OVERFLOW)
        number = 1; // too large to hold, but certainly not zero
    else if (FAILED(hr))
        return hr;
    *result = toVBool(number != 0);
    return S_OK;
}

QString textOf(const Variant &from)
{
    switch (from.type()) {
    case VarType::Empty:
        return {};
    case VarType::String:
        return from.stringValue();
    case VarType::Bool:
        return isTrue(from.boolValue()) ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::I2:
        return QString::number(from.int16Value());
    case VarType::I4:
        return QString::number(from.int32Value());
    }
    return {};
}

} // namespace

HRESULT changeType(const Variant &from, VarType to, Variant *out)
{
    switch (to) {
    case VarType::Empty:
        if (!from.isEmpty())
            return DISP_E_TYPEMISMATCH;
        *out = Variant();
        return S_OK;
    case VarType::String:
        *out = Variant(textOf(from));
        return S_OK;
    case VarType::Bool: {
        VBool value = VFalse;
        const HRESULT hr = toBoolean(from, &value);
        if (SUCCEEDED(hr))
            *out = Variant::boolean(value);
        return hr;
    }
    case VarType::I2: {
        std::int16_t value = 0;
        const HRESULT hr = toInteger(from, &value);
        if (SUCCEEDED(hr))
            *out = Variant::int16(value);
        return hr;
    }
    case VarType::I4: {
        std::int32_t value = 0;
        const HRESULT hr = toInteger(from, &value);
        if (SUCCEEDED(hr))
            *out = Variant::int32(value);
        return hr;
    }
    }
    return DISP_E_TYPEMISMATCH;
}
