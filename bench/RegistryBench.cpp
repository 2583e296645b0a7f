// `reg query` on a key of 8,000 values against one of 1,000: listing a key must cost time in
// proportion to its values (a ratio near 8, at most 12). Interleaved rounds, medians.
#include "bench/BenchFiles.h"
#include "bench/ProgramRun.h"
#include "bench/Samples.h"
#include "platform/registry/winreg.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int Rounds = 7;
constexpr int SmallKey = 1000;
constexpr int LargeKey = 8000;

// The store lives in memory when it can, so that filling it is not a matter of disk flushes.
std::string benchFolder()
{
    for (const char *base : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(base) + "/reg-bench-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr)
            return pattern;
    }
    return {};
}

std::string keyName(int values) { return "Bench" + std::to_string(values); }

bool fillKey(int values)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, keyName(values).c_str(), &key) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (int i = 0; ok && i < values; ++i) {
        const std::string name = "value" + std::to_string(i);
        const std::string data = "data of " + name;
        ok = RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE *>(data.c_str()),
                            static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return ok;
}

bool timeQuery(int values, Samples &samples)
{
    const ProgramRun run =
        runProgram({EC_REG_PROGRAM, "query", "HKCU\\" + keyName(values)}, {}, "/dev/null");
    if (!run.ok)
        return false;
    samples.add(run.seconds);
    return true;
}

void printFigure(const char *label, const Samples &samples)
{
    std::printf("%-22s median %8.1f ms   (%.1f to %.1f)\n", label, samples.median() * 1000,
                samples.lowest() * 1000, samples.highest() * 1000);
}

} // namespace

int main()
{
    const std::string folder = benchFolder();
    if (folder.empty() || setenv("EMBERCOFFER_REGISTRY", (folder + "/registry.db").c_str(), 1))
        return 1;
    warmMemory(folder, 1ull << 30);
    if (!fillKey(SmallKey) || !fillKey(LargeKey)) {
        std::fprintf(stderr, "could not fill the store in %s\n", folder.c_str());
        removePath(folder);
        return 1;
    }
    Samples small, large;
    bool ok = timeQuery(SmallKey, small) && timeQuery(LargeKey, large); // once to warm up
    small = {};
    large = {};
    for (int round = 0; ok && round < Rounds; ++round)
        ok = timeQuery(SmallKey, small) && timeQuery(LargeKey, large);
    removePath(folder);
    if (!ok) {
        std::fprintf(stderr, "reg query failed\n");
        return 1;
    }
    std::printf("reg query, %d rounds, store in %s\n", Rounds, folder.c_str());
    printFigure("1,000 values", small);
    printFigure("8,000 values", large);
    std::printf("ratio 8,000 : 1,000      %.2f (median of each; at most 12 wanted)\n",
                large.median() / small.median());
    return 0;
}
