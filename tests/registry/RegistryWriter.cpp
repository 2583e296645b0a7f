// A second process for the store tests.
//   registry_writer loop NAME        rewrites HKCU\Stress\NAME forever, 64 KiB of one letter
//                                    per round, printing a line after each write
//   registry_writer count PREFIX N   writes the values PREFIX0 .. PREFIX(N-1) under
//                                    HKCU\Stress; exit status 0 when every write succeeded
#include "platform/registry/winreg.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int loop(const char *name, HKEY key)
{
    std::vector<BYTE> data(64 * 1024);
    for (unsigned round = 0;; ++round) {
        std::fill(data.begin(), data.end(), static_cast<BYTE>('a' + round % 26));
        if (RegSetValueExA(key, name, 0, REG_BINARY, data.data(),
                           static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
            return 1;
        std::printf("%u\n", round);
        std::fflush(stdout);
    }
}

int count(const std::string &prefix, int total, HKEY key)
{
    for (int i = 0; i < total; ++i) {
        const std::string name = prefix + std::to_string(i);
        if (RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>("x"), 2) !=
            ERROR_SUCCESS)
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    HKEY key = nullptr;
    if (argc < 3 || RegCreateKeyA(HKEY_CURRENT_USER, "Stress", &key) != ERROR_SUCCESS)
        return 2;
    const std::string mode = argv[1];
    if (mode == "loop")
        return loop(argv[2], key);
    if (mode == "count" && argc == 4)
        return count(argv[2], std::atoi(argv[3]), key);
    return 2;
}
