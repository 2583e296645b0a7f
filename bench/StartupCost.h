#pragma once
#include <optional>
#include <string>

#include "bench/Samples.h"

// What a whole ecx run costs beyond the key derivation that it cannot avoid: ecx encrypting
// an empty file against one bare scrypt derivation at 2^18 (r = 8, p = 1) in this process,
// the two taking turns to go first, round after round.
struct StartupCost {
    Samples ecxSeconds, scryptSeconds, ratio;
};

// nullopt, after a message on standard error, when a run failed.
std::optional<StartupCost> measureStartupCost(const std::string &ecxProgram,
                                              const std::string &folder, unsigned rounds);
void printStartupCost(const StartupCost &cost);
