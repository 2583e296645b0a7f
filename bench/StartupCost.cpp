#include "bench/StartupCost.h"

#include <chrono>
#include <cstdio>
#include <sodium.h>

#include "bench/BenchFiles.h"
#include "bench/Contenders.h"

namespace {

constexpr double goal = 1.15;

// One derivation as ecx's key needs it, timed; negative when it failed.
double scryptSeconds()
{
    std::uint8_t salt[16] = {}, key[32];
    const auto start = std::chrono::steady_clock::now();
    const int result = crypto_pwhash_scryptsalsa208sha256_ll(
        reinterpret_cast<const std::uint8_t *>(benchKey.data()), benchKey.size(), salt, sizeof salt,
        std::uint64_t(1) << 18, 8, 1, key, sizeof key);
    const auto end = std::chrono::steady_clock::now();
    return result == 0 ? std::chrono::duration<double>(end - start).count() : -1;
}

} // namespace

std::optional<StartupCost> measureStartupCost(const std::string &ecxProgram,
                                              const std::string &folder, unsigned rounds)
{
    const std::string empty = folder + "/empty", output = folder + "/empty.ECX";
    if (!writeRandomFile(empty, 0)) {
        std::fprintf(stderr, "ecx_bench: cannot write %s\n", empty.c_str());
        return std::nullopt;
    }
    const Contender ecx = ecxContender(ecxProgram);
    StartupCost cost;
    for (unsigned round = 0; round < rounds; ++round) {
        double ecxTime = -1, scryptTime = -1;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn + round) % 2 == 0) {
                removePath(output);
                const ProgramRun run = ecx.encrypt(empty, output);
                ecxTime = run.ok ? run.seconds : -1;
            } else {
                scryptTime = scryptSeconds();
            }
        }
        if (ecxTime < 0 || scryptTime < 0) {
            std::fprintf(stderr, "ecx_bench: a start-up run failed\n");
            return std::nullopt;
        }
        cost.ecxSeconds.add(ecxTime);
        cost.scryptSeconds.add(scryptTime);
        cost.ratio.add(ecxTime / scryptTime);
    }
    removePath(empty);
    removePath(output);
    return cost;
}

void printStartupCost(const StartupCost &cost)
{
    std::printf("Whole ecx run on an empty file against one bare scrypt derivation at 2^18 in "
                "this process,\n  %zu interleaved rounds: median (lowest-highest)\n",
                cost.ratio.size());
    std::printf("  ecx encrypt, empty file   %.3f s (%.3f-%.3f)\n", cost.ecxSeconds.median(),
                cost.ecxSeconds.lowest(), cost.ecxSeconds.highest());
    std::printf("  scrypt 2^18 alone         %.3f s (%.3f-%.3f)\n", cost.scryptSeconds.median(),
                cost.scryptSeconds.lowest(), cost.scryptSeconds.highest());
    std::printf("  ratio ecx/scrypt          %.3f (%.3f-%.3f); goal: at most %.2f%s\n\n",
                cost.ratio.median(), cost.ratio.lowest(), cost.ratio.highest(), goal,
                cost.ratio.median() <= goal ? "" : "  NOT MET");
}
