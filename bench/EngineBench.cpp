// Measures how fast the engine protects a file next to cp and other encryption tools, what a
// whole ecx run costs beyond its key derivation, and how much memory ecx needs for a small and
// for a large file. Every contender runs once per round
// on the same files, in an order that rotates from round to round, so that a disturbance from
// elsewhere on the machine spreads over all of them; the report gives medians and ranges.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sodium.h>
#include <thread>

#include "bench/BenchFiles.h"
#include "bench/BenchOptions.h"
#include "bench/ContenderFigures.h"
#include "bench/PeakMemory.h"
#include "bench/SealSpeed.h"
#include "bench/StartupCost.h"

namespace {

double loadAverage()
{
    std::ifstream file("/proc/loadavg");
    double load = -1;
    file >> load;
    return load;
}

// Removes the benchmark's files and stops what the peers left running, however main ends.
struct ScratchFolder {
    std::string path;
    ~ScratchFolder()
    {
        stopPeers(path);
        removePath(path);
    }
};

void printSetup(const BenchOptions &options, const std::vector<ContenderFigures> &figures,
                const std::vector<std::string> &missing)
{
    std::printf("Payload %llu MiB of random data, %u interleaved rounds (the contenders' order "
                "rotates each round).\n",
                (unsigned long long)options.sizeMiB, options.rounds);
    if (isMemoryFileSystem(options.folder))
        std::printf("Files in %s, a memory file system: no disk takes part.\n",
                    options.folder.c_str());
    else
        std::printf("Files in %s, NOT a memory file system: the disk's speed is in every "
                    "figure.\n",
                    options.folder.c_str());
    std::printf("Memory warmed first: %llu GiB written there and deleted.\n",
                (unsigned long long)options.warmGiB);
    std::printf("%u processors; load average %.2f at the start.\n",
                std::thread::hardware_concurrency(), loadAverage());
    std::printf("Contenders:");
    for (const ContenderFigures &f : figures)
        std::printf(" %s;", f.contender.name.c_str());
    std::printf("\n  ecx = the ecx program, a process per run; engine = the same engine called "
                "in this process.\n");
    for (const std::string &program : missing)
        std::printf("  %s is not installed: left out.\n", program.c_str());
    std::printf("Payload time = the run on the payload less the run on a one-byte file in the "
                "same round,\n  which removes start-up and key derivation; for the engine it "
                "is timed inside the call,\n  from its first progress event (key derived) to "
                "the end.\n\n");
}

// "median (lowest-highest)" with `decimals` places, `unit` after the median.
std::string medianAndRange(const Samples &samples, int decimals, const char *unit = "")
{
    char text[96];
    std::snprintf(text, sizeof text, "%.*f%s (%.*f-%.*f)", decimals, samples.median(), unit,
                  decimals, samples.lowest(), decimals, samples.highest());
    return text;
}

std::string labelOf(const Contender &contender, const char *direction)
{
    return contender.decrypt ? contender.name + " " + direction : contender.name;
}

// One line: MiB/s from the seconds of each round, and the share of cp's speed in the same
// round unless the line is cp's own. A round where the run on the payload took no longer than
// the run on the probe says nothing about the payload and is left out. False when the line is
// faster than cp.
bool printSpeed(const std::string &label, const Samples &seconds, const Samples &copy,
                double sizeMiB, bool isCopy)
{
    Samples speed, share;
    for (std::size_t r = 0; r < seconds.size(); ++r) {
        if (seconds[r] > 0 && copy[r] > 0) {
            speed.add(sizeMiB / seconds[r]);
            share.add(100 * copy[r] / seconds[r]);
        }
    }
    if (speed.empty()) {
        std::printf("  %-17s too small a payload to tell from start-up\n", label.c_str());
        return true;
    }
    std::printf("  %-17s %-18s %s", label.c_str(), medianAndRange(speed, 0).c_str(),
                isCopy ? "" : medianAndRange(share, 0, " %").c_str());
    if (speed.size() < seconds.size())
        std::printf("   %zu of %zu rounds left out: the key derivation varied more than the "
                    "payload took",
                    seconds.size() - speed.size(), seconds.size());
    std::printf("\n");
    return isCopy || share.median() <= 100;
}

// One line per contender and direction, after cp's line and the sealing limit.
void printPayloadSpeeds(const std::vector<ContenderFigures> &figures, const Samples &sealing,
                        double sizeMiB)
{
    const Samples &copy = figures[0].encrypt.payload;
    std::printf("Payload speed, MiB/s: median (lowest-highest); share of cp's speed in the same "
                "round: median (lowest-highest)\n");
    bool belowCopy = printSpeed("cp", copy, copy, sizeMiB, true);
    printSpeed("sealing alone", sealing, copy, sizeMiB, false);
    for (std::size_t i = 1; i < figures.size(); ++i)
        for (const auto &[direction, figure] :
             {std::pair{"encrypt", &figures[i].encrypt}, std::pair{"decrypt", &figures[i].decrypt}})
            if (!figure->payload.empty())
                belowCopy = printSpeed(labelOf(figures[i].contender, direction), figure->payload,
                                       copy, sizeMiB, false) &&
                            belowCopy;
    std::printf("  (sealing alone: ChaCha20-Poly1305 on one thread, 64 KiB chunks in cache, no "
                "reading or writing;\n  two threads can seal at most twice as fast, and reading "
                "and writing come on top.)\n");
    if (!belowCopy)
        std::printf("  Faster than cp: distrust this run (an uneven start, or a contender "
                    "that did not do its work).\n");
    std::printf("\n");
}

const ContenderFigures *find(const std::vector<ContenderFigures> &figures, const std::string &name)
{
    for (const ContenderFigures &f : figures)
        if (f.contender.name == name)
            return &f;
    return nullptr;
}

void printWholeRuns(const std::vector<ContenderFigures> &figures)
{
    std::printf("Whole runs, seconds: median (lowest-highest), on the payload and on the "
                "one-byte file\n");
    for (const ContenderFigures &f : figures)
        for (const auto &[direction, figure] :
             {std::pair{"encrypt", &f.encrypt}, std::pair{"decrypt", &f.decrypt}})
            if (!figure->whole.empty())
                std::printf("  %-17s %-24s %s\n", labelOf(f.contender, direction).c_str(),
                            medianAndRange(figure->whole, 3).c_str(),
                            medianAndRange(figure->probe, 3).c_str());

    const ContenderFigures *ecx = find(figures, "ecx"), *age = find(figures, "age -p");
    if (ecx && age) {
        std::printf("Whole runs ecx/age, ratio of the times in the same round: median "
                    "(lowest-highest)\n");
        for (const auto &[direction, ours, theirs] :
             {std::tuple{"encrypt", &ecx->encrypt, &age->encrypt},
              std::tuple{"decrypt", &ecx->decrypt, &age->decrypt}}) {
            Samples ratio;
            for (std::size_t r = 0; r < ours->whole.size(); ++r)
                ratio.add(ours->whole[r] / theirs->whole[r]);
            std::printf("  %-17s %s\n", direction, medianAndRange(ratio, 2).c_str());
        }
    }
    std::printf("\n");
}

void printPeakMemory(const std::vector<PeakMemory> &peaks, std::uint64_t largeMiB)
{
    std::printf("Peak memory of ecx (maximum resident set size), %llu MiB file against %llu MiB "
                "file; goal: within 10 %%\n",
                (unsigned long long)peakMemorySmallMiB, (unsigned long long)largeMiB);
    for (const PeakMemory &peak : peaks)
        std::printf("  %-30s %7.1f MiB %7.1f MiB   ratio %.3f\n", peak.what.c_str(),
                    peak.smallKiB / 1024.0, peak.largeKiB / 1024.0,
                    double(peak.largeKiB) / double(peak.smallKiB));
    std::printf("\n");
}

// Writes the payload and probe files, warms the memory and runs every round.
bool runRounds(const BenchOptions &options, const RoundFiles &files,
               std::vector<ContenderFigures> &figures, Samples &sealing)
{
    if (!writeRandomFile(files.payload, options.sizeMiB << 20) ||
        !writeRandomFile(files.probe, 1)) {
        std::fprintf(stderr, "ecx_bench: cannot write the files in %s\n", options.folder.c_str());
        return false;
    }
    if (!warmMemory(options.folder, options.warmGiB << 30)) {
        std::fprintf(stderr, "ecx_bench: cannot warm %llu GiB in %s\n",
                     (unsigned long long)options.warmGiB, options.folder.c_str());
        return false;
    }
    for (unsigned round = 0; round < options.rounds; ++round) {
        for (std::size_t i = 0; i < figures.size(); ++i)
            if (!figures[(i + round) % figures.size()].measure(files))
                return false;
        const double seal = sealSeconds(options.sizeMiB << 20);
        if (seal < 0) {
            std::fprintf(stderr, "ecx_bench: the cipher failed\n");
            return false;
        }
        sealing.add(seal);
        std::fprintf(stderr, "ecx_bench: round %u of %u done\n", round + 1, options.rounds);
    }
    removePath(files.payload);
    removePath(files.probe);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<BenchOptions> options = parseBenchOptions(argc, argv);
    if (!options)
        return 2;
    if (sodium_init() < 0) {
        std::fprintf(stderr, "ecx_bench: the cryptography library could not start\n");
        return 1;
    }
    const ScratchFolder scratch{options->folder + "/ecx-bench"};
    removePath(scratch.path);
    if (!createFolder(scratch.path)) {
        std::fprintf(stderr, "ecx_bench: cannot create %s\n", scratch.path.c_str());
        return 1;
    }

    std::vector<ContenderFigures> figures;
    figures.emplace_back(copyContender()); // first: every share is taken of its speed
    figures.emplace_back(ecxContender(EC_ECX_PROGRAM));
    figures.emplace_back(engineContender());
    std::vector<std::string> missing;
    for (Contender &peer : installedPeers(scratch.path, missing))
        figures.emplace_back(std::move(peer));
    printSetup(*options, figures, missing);
    std::fflush(stdout);

    const RoundFiles files{scratch.path + "/payload.bin", scratch.path + "/probe.bin",
                           scratch.path + "/run"};
    Samples sealing;
    if (!runRounds(*options, files, figures, sealing))
        return 1;
    const auto startup = measureStartupCost(EC_ECX_PROGRAM, scratch.path, options->rounds);
    if (!startup)
        return 1;
    printPayloadSpeeds(figures, sealing, double(options->sizeMiB));
    printWholeRuns(figures);
    printStartupCost(*startup);

    if (options->memorySizeMiB > 0) {
        const auto peaks = measurePeakMemory(EC_ECX_PROGRAM, scratch.path, options->memorySizeMiB);
        if (peaks.empty())
            return 1;
        printPeakMemory(peaks, options->memorySizeMiB);
    }
    std::printf("Load average %.2f at the end.\n", loadAverage());
    return 0;
}
