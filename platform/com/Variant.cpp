#include "platform/com/Variant.h"

template <class T>
T Variant::valueAs() const
{
    if (const T *direct = std::get_if<T>(&m_value))
        return *direct;
    if (T *const *reference = std::get_if<T *>(&m_value); reference && *reference)
        return **reference;
    return T{};
}

bool Variant::isByRef() const
{
    return std::holds_alternative<std::int16_t *>(m_value) ||
           std::holds_alternative<std::int32_t *>(m_value) ||
           std::holds_alternative<QString *>(m_value);
}

VBool Variant::boolValue() const
{
    return m_type == VarType::Bool ? valueAs<std::int16_t>() : VFalse;
}

std::int16_t Variant::int16Value() const
{
    return m_type == VarType::I2 ? valueAs<std::int16_t>() : 0;
}

std::int32_t Variant::int32Value() const { return valueAs<std::int32_t>(); }

QString Variant::stringValue() const { return valueAs<QString>(); }

VBool *Variant::boolRef() const
{
    auto *reference = std::get_if<std::int16_t *>(&m_value);
    return reference && m_type == VarType::Bool ? *reference : nullptr;
}

std::int32_t *Variant::int32Ref() const
{
    auto *reference = std::get_if<std::int32_t *>(&m_value);
    return reference ? *reference : nullptr;
}

QString *Variant::stringRef() const
{
    auto *reference = std::get_if<QString *>(&m_value);
    return reference ? *reference : nullptr;
}

bool operator==(const Variant &a, const Variant &b)
{
    if (a.m_type != b.m_type)
        return false;
    switch (a.m_type) {
    case VarType::Empty:
        return true;
    case VarType::I2:
        return a.int16Value() == b.int16Value();
    case VarType::I4:
        return a.int32Value() == b.int32Value();
    case VarType::String:
        return a.stringValue() == b.stringValue();
    case VarType::Bool:
        return a.boolValue() == b.boolValue();
    }
    return false;
}
