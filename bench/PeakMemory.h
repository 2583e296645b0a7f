#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The most memory ecx held (its maximum resident set size) for a small and a large file:
// memory that does not grow with the file keeps the two close.
struct PeakMemory {
    std::string what;
    long smallKiB = 0, largeKiB = 0;
};

inline constexpr std::uint64_t peakMemorySmallMiB = 64;

// Encrypts at the default work factor and at a low one (where the key derivation's memory
// does not hide the payload's), and decrypts the latter. Empty, after a message, on failure.
std::vector<PeakMemory> measurePeakMemory(const std::string &ecx, const std::string &folder,
                                          std::uint64_t largeMiB);
