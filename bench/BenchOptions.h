#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What to measure, from the command line.
struct BenchOptions {
    std::string folder = "/dev/shm"; // where the files are written
    std::uint64_t sizeMiB = 512;     // the payload file
    unsigned rounds = 5;
    std::uint64_t warmGiB = 3;          // written and deleted before the first round
    std::uint64_t memorySizeMiB = 1024; // the large file of the peak-memory check; 0 skips it
};

// nullopt, after a message on standard error, when the arguments are wrong.
std::optional<BenchOptions> parseBenchOptions(int argc, char **argv);
