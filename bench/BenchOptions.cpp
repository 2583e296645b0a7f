#include "bench/BenchOptions.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char *const usage =
    "Usage: ecx_bench [--folder DIR] [--size MIB] [--rounds N] [--warm GIB] [--memory-size MIB]\n"
    "  --folder DIR        where the files go (default /dev/shm, a memory file system)\n"
    "  --size MIB          size of the payload file (default 512)\n"
    "  --rounds N          interleaved rounds, at least 1 (default 5)\n"
    "  --warm GIB          memory written and deleted in DIR first (default 3)\n"
    "  --memory-size MIB   large file of the peak-memory check (default 1024, 0 skips it)\n";

bool parseNumber(const char *text, std::uint64_t &value)
{
    const char *end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, value);
    return result.ec == std::errc() && result.ptr == end;
}
} // namespace

std::optional<BenchOptions> parseBenchOptions(int argc, char **argv)
{
    BenchOptions options;
    std::uint64_t rounds = options.rounds;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "-h" || option == "--help") {
            std::fputs(usage, stdout);
            std::exit(0);
        }
        const char *value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = value != nullptr;
        if (ok && option == "--folder")
            options.folder = value;
        else if (ok && option == "--size")
            ok = parseNumber(value, options.sizeMiB) && options.sizeMiB > 0;
        else if (ok && option == "--rounds")
            ok = parseNumber(value, rounds) && rounds > 0 && rounds <= 1000;
        else if (ok && option == "--warm")
            ok = parseNumber(value, options.warmGiB);
        else if (ok && option == "--memory-size")
            ok = parseNumber(value, options.memorySizeMiB);
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "ecx_bench: wrong argument near \"%s\"\n%s", argv[i], usage);
            return std::nullopt;
        }
        ++i;
    }
    options.rounds = unsigned(rounds);
    return options;
}
