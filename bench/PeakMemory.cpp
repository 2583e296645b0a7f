#include "bench/PeakMemory.h"

#include <cstdio>

#include "bench/BenchFiles.h"
#include "bench/Contenders.h"
#include "bench/ProgramRun.h"

namespace {
// The peak memory of one ecx run, or 0 when it failed.
long peakOf(const std::string &ecx, const std::vector<std::string> &arguments,
            const std::string &from, const std::string &to)
{
    removePath(to);
    std::vector<std::string> argv{ecx};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    argv.insert(argv.end(), {"--quiet", "--key-stdin", "-o", to, from});
    const ProgramRun run = runProgram(argv, benchKey + "\n");
    return run.ok ? run.peakKiB : 0;
}

struct PeakCase {
    const char *what;
    std::vector<std::string> arguments;
    const char *fromSuffix, *toSuffix; // appended to the file's name
};
} // namespace

std::vector<PeakMemory> measurePeakMemory(const std::string &ecx, const std::string &folder,
                                          std::uint64_t largeMiB)
{
    const std::string small = folder + "/small", large = folder + "/large";
    if (!writeRandomFile(small, peakMemorySmallMiB << 20) ||
        !writeRandomFile(large, largeMiB << 20)) {
        std::fprintf(stderr, "ecx_bench: cannot write the files of the peak-memory check\n");
        return {};
    }
    // Both encryptions write the same output, so that at most three large files exist.
    const PeakCase cases[] = {
        {"encrypt, default work factor", {"encrypt"}, "", ".ecx"},
        {"encrypt, work factor 10", {"encrypt", "--work-factor", "10"}, "", ".ecx"},
        {"decrypt, work factor 10", {"decrypt"}, ".ecx", ".back"},
    };
    std::vector<PeakMemory> peaks;
    for (const PeakCase &c : cases) {
        const PeakMemory peak{c.what,
                              peakOf(ecx, c.arguments, small + c.fromSuffix, small + c.toSuffix),
                              peakOf(ecx, c.arguments, large + c.fromSuffix, large + c.toSuffix)};
        if (peak.smallKiB == 0 || peak.largeKiB == 0) {
            std::fprintf(stderr, "ecx_bench: ecx failed in the peak-memory check\n");
            peaks.clear();
            break;
        }
        peaks.push_back(peak);
    }
    for (const std::string &file : {small, large})
        for (const char *suffix : {"", ".ecx", ".back"})
            removePath(file + suffix);
    return peaks;
}
