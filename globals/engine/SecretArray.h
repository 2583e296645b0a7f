#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <array>
#include <cstddef>
#include <cstdint>

namespace age {

// Overwrites `size` bytes at `data` with zeros in a way the compiler cannot leave out.
VANTRELGLOBALS_EXPORT void wipeSecret(void *data, std::size_t size);

// A fixed number of secret bytes (a key) that is never copied and is wiped when it goes: a
// move hands the bytes over and wipes the source. Starts as zeros.
template <std::size_t N>
class SecretArray {
public:
    SecretArray() = default;
    SecretArray(const SecretArray &) = delete;
    SecretArray &operator=(const SecretArray &) = delete;
    SecretArray(SecretArray &&other) noexcept : m_bytes(other.m_bytes) { other.wipe(); }
    SecretArray &operator=(SecretArray &&other) noexcept
    {
        if (this != &other) {
            m_bytes = other.m_bytes;
            other.wipe();
        }
        return *this;
    }
    ~SecretArray() { wipe(); }

    static constexpr std::size_t size() { return N; }
    std::uint8_t *data() { return m_bytes.data(); }
    const std::uint8_t *data() const { return m_bytes.data(); }
    std::uint8_t *begin() { return m_bytes.data(); }
    std::uint8_t *end() { return m_bytes.data() + N; }
    const std::uint8_t *begin() const { return m_bytes.data(); }
    const std::uint8_t *end() const { return m_bytes.data() + N; }
    std::uint8_t &operator[](std::size_t i) { return m_bytes[i]; }
    std::uint8_t operator[](std::size_t i) const { return m_bytes[i]; }

private:
    void wipe() { wipeSecret(m_bytes.data(), N); }

    std::array<std::uint8_t, N> m_bytes{};
};

} // namespace age
