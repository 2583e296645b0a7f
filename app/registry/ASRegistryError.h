#pragma once
#include <QString>

#include <stdexcept>

// The failure that the registry classes raise to their caller: a value that cannot be
// converted for WriteValue, or a collection asked for an item it does not have. The number
// tells which, with the usual run-time error numbers.
class ASRegistryError : public std::runtime_error {
public:
    static constexpr int InvalidArgument = 5;
    static constexpr int Overflow = 6;
    static constexpr int SubscriptOutOfRange = 9;
    static constexpr int TypeMismatch = 13;
    static constexpr int DuplicateKey = 457;

    ASRegistryError(int number, const QString &message);
    int number() const { return m_number; }

private:
    int m_number;
};
