// Measures runs over many files: `ecx encrypt -r` over 24 files of 256 KiB against `age -p` on
// the same files one after the other, and `ecx encrypt --archive` of a folder of 3,000 files of
// 4 KiB against `tar c | age -p`. Each contender runs once per round, in an order that
// rotates from round to round, on warm memory; the report gives the ratio of each round and
// their median and range.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "bench/BenchFiles.h"
#include "bench/ProgramRun.h"
#include "bench/Samples.h"

namespace {

const std::string benchKey = "benchmark key";

struct Options {
    std::string folder = "/dev/shm";
    unsigned rounds = 5;
    std::uint64_t warmGiB = 3;
};

struct Scenario {
    std::string title, ours, peer;
    double goal; // the ratio ours/peer to stay at or below
    std::function<ProgramRun()> runOurs, runPeer;
    Samples oursSeconds, peerSeconds, ratios;
};

bool makeFiles(const std::string &folder, int count, std::uint64_t bytes)
{
    if (!createFolder(folder))
        return false;
    for (int i = 0; i < count; ++i)
        if (!writeRandomFile(folder + "/file" + std::to_string(i) + ".jpg", bytes))
            return false;
    return true;
}

// `ecx encrypt -r` over the folder, then its outputs removed.
ProgramRun ecxRecursive(const std::string &program, const std::string &keyFile,
                        const std::string &folder, int count)
{
    const ProgramRun run =
        runProgram({program, "encrypt", "-r", "-q", "--key-file", keyFile, folder});
    for (int i = 0; i < count; ++i)
        removePath(folder + "/file" + std::to_string(i) + ".jpg.ECX");
    return run;
}

// `age -p` on each file in turn, as a person would run it over a folder without a batch tool.
ProgramRun ageOneByOne(const std::string &folder, const std::string &out, int count)
{
    ProgramRun total{true, 0, 0, {}};
    for (int i = 0; i < count && total.ok; ++i) {
        const std::string name = "/file" + std::to_string(i) + ".jpg";
        const ProgramRun run =
            runOnTerminal({"age", "-p", "-o", out + name + ".age", folder + name}, benchKey);
        total.ok = run.ok;
        total.seconds += run.seconds;
    }
    removePath(out);
    createFolder(out);
    return total;
}

ProgramRun ecxArchive(const std::string &program, const std::string &keyFile,
                      const std::string &folder)
{
    const ProgramRun run =
        runProgram({program, "encrypt", "--archive", "-q", "--key-file", keyFile, folder});
    removePath(folder + ".tar.ECX");
    return run;
}

ProgramRun tarThenAge(const std::string &folder, const std::string &out)
{
    const std::string parent = folder.substr(0, folder.rfind('/'));
    const std::string name = folder.substr(folder.rfind('/') + 1);
    const ProgramRun run = runOnTerminal(
        {"sh", "-c", "tar cf - -C \"$1\" \"$2\" | age -p -o \"$3\"", "sh", parent, name, out},
        benchKey);
    removePath(out);
    return run;
}

void runRounds(std::vector<Scenario> &scenarios, unsigned rounds)
{
    for (unsigned round = 0; round < rounds; ++round)
        for (Scenario &s : scenarios) {
            // Which of the two goes first alternates, so neither always meets the other's leftovers.
            const bool oursFirst = round % 2 == 0;
            ProgramRun ours, peer;
            if (oursFirst)
                ours = s.runOurs(), peer = s.runPeer();
            else
                peer = s.runPeer(), ours = s.runOurs();
            if (!ours.ok || !peer.ok) {
                std::printf("round %u of %s: a run failed (%s %s)\n", round + 1, s.title.c_str(),
                            ours.ok ? "" : s.ours.c_str(), peer.ok ? "" : s.peer.c_str());
                continue;
            }
            s.oursSeconds.add(ours.seconds);
            s.peerSeconds.add(peer.seconds);
            s.ratios.add(ours.seconds / peer.seconds);
            std::printf("round %u, %s: %s %.2f s, %s %.2f s, ratio %.2f\n", round + 1,
                        s.title.c_str(), s.ours.c_str(), ours.seconds, s.peer.c_str(), peer.seconds,
                        ours.seconds / peer.seconds);
            std::fflush(stdout);
        }
}

void report(const std::vector<Scenario> &scenarios)
{
    std::printf("\n| run | %s | peer | ratio, median (lowest-highest) | goal |\n", "ecx");
    std::printf("|---|---|---|---|---|\n");
    for (const Scenario &s : scenarios) {
        if (s.ratios.empty())
            continue;
        std::printf("| %s | %.2f s | %s %.2f s | %.2f (%.2f-%.2f) | at most %.2f |\n",
                    s.title.c_str(), s.oursSeconds.median(), s.peer.c_str(), s.peerSeconds.median(),
                    s.ratios.median(), s.ratios.lowest(), s.ratios.highest(), s.goal);
    }
}

bool parse(int argc, char **argv, Options &options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--folder")
            options.folder = value;
        else if (name == "--rounds")
            options.rounds = unsigned(std::max(1, std::atoi(value.c_str())));
        else if (name == "--warm")
            options.warmGiB = std::uint64_t(std::max(0, std::atoi(value.c_str())));
        else
            return false;
    }
    return argc % 2 == 1;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs("Usage: batch_bench [--folder DIR] [--rounds N] [--warm GIB]\n", stderr);
        return 2;
    }
    if (::access("/usr/bin/age", X_OK) != 0) {
        std::fputs("batch_bench: age is not installed\n", stderr);
        return 1;
    }
    const std::string scratch = options.folder + "/batch-bench-" + std::to_string(::getpid());
    const std::string small = scratch + "/photos", many = scratch + "/mail",
                      ageOut = scratch + "/age-out", keyFile = scratch + "/key";
    if (!createFolder(scratch) || !makeFiles(small, 24, 256 * 1024) ||
        !makeFiles(many, 3000, 4 * 1024) || !createFolder(ageOut)) {
        std::fputs("batch_bench: cannot write the files\n", stderr);
        removePath(scratch);
        return 1;
    }
    std::ofstream(keyFile) << benchKey << "\n";
    std::printf("%u processors; %u interleaved rounds; files in %s%s; %llu GiB of memory warmed "
                "first.\n",
                std::thread::hardware_concurrency(), options.rounds, options.folder.c_str(),
                isMemoryFileSystem(options.folder) ? " (memory)" : "",
                (unsigned long long)options.warmGiB);
    warmMemory(options.folder, options.warmGiB << 30);

    const std::string ecx = EC_ECX_PROGRAM;
    std::vector<Scenario> scenarios{
        {"24 files of 256 KiB",
         "ecx encrypt -r",
         "age -p, one file after the other",
         0.55,
         [&] { return ecxRecursive(ecx, keyFile, small, 24); },
         [&] { return ageOneByOne(small, ageOut, 24); },
         {},
         {},
         {}},
        {"3,000 files of 4 KiB as one archive",
         "ecx encrypt --archive",
         "tar c | age -p",
         1.0,
         [&] { return ecxArchive(ecx, keyFile, many); },
         [&] { return tarThenAge(many, scratch + "/mail.tar.age"); },
         {},
         {},
         {}},
    };
    runRounds(scenarios, options.rounds);
    report(scenarios);
    removePath(scratch);
    return 0;
}
