#pragma once
#include "platform/com/PlatformComExport.h"
#include "platform/core/VBool.h"

#include <QString>

#include <cstdint>
#include <variant>

/// The value types that cross component interfaces.
/// @since 3.5
enum class VarType : std::uint16_t {
    Empty = 0,
    I2 = 2,     // 16-bit integer
    I4 = 3,     // 32-bit integer
    String = 8, // counted wide string
    Bool = 11,  // 16-bit Boolean, True = -1
};

/// One value of a VarType, held either by value or as a reference to the caller's own
/// variable (a by-reference parameter: the callee may read it and write through it).
/// @since 3.5
class PLATFORMCOM_EXPORT Variant {
public:
    Variant() = default;
    Variant(const QString &text) : m_type(VarType::String), m_value(text) {}
    Variant(const char16_t *text) : Variant(QString::fromUtf16(text)) {}
    /// Booleans keep their raw 16-bit value: no normalisation to -1.
    static Variant boolean(VBool value) { return Variant(VarType::Bool, value); }
    static Variant int16(std::int16_t value) { return Variant(VarType::I2, value); }
    static Variant int32(std::int32_t value) { return Variant(VarType::I4, value); }
    static Variant booleanRef(VBool *value) { return Variant(VarType::Bool, value); }
    static Variant int32Ref(std::int32_t *value) { return Variant(VarType::I4, value); }
    static Variant stringRef(QString *value) { return Variant(VarType::String, value); }

    /// The type of the value, whether held directly or by reference.
    VarType type() const { return m_type; }
    bool isByRef() const;
    bool isEmpty() const { return m_type == VarType::Empty; }

    /// The value; each is meaningful only when type() matches (zero or empty otherwise).
    VBool boolValue() const;
    std::int16_t int16Value() const;
    std::int32_t int32Value() const;
    QString stringValue() const;

    /// The referenced variable of a by-reference value of that type, or null.
    VBool *boolRef() const;
    std::int32_t *int32Ref() const;
    QString *stringRef() const;

    /// Same type and same value (references compare by the values they refer to).
    friend PLATFORMCOM_EXPORT bool operator==(const Variant &a, const Variant &b);

private:
    using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, QString,
                                 std::int16_t *, std::int32_t *, QString *>;
    template <class T>
    Variant(VarType type, T value) : m_type(type), m_value(value)
    {
    }
    template <class T>
    T valueAs() const;

    VarType m_type = VarType::Empty;
    Storage m_value;
};
