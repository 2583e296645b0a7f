// A second process for the store fault tests, writing under HKCU\Faults.
//   store_writer values PREFIX N   writes PREFIX0 .. PREFIX(N-1), each holding its own name;
//                                  exit status 0 when every write succeeded
//   store_writer blobs N           writes blob0 .. blob(N-1), 256 KiB each of one letter, and
//                                  prints each name once its write has returned
#include "platform/registry/winreg.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int values(HKEY key, const std::string &prefix, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i);
        if (RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE *>(name.c_str()),
                           DWORD(name.size() + 1)) != ERROR_SUCCESS)
            return 1;
    }
    return 0;
}

int blobs(HKEY key, int count)
{
    std::vector<BYTE> data(256 * 1024);
    for (int i = 0; i < count; ++i) {
        std::fill(data.begin(), data.end(), BYTE('a' + i % 26));
        const std::string name = "blob" + std::to_string(i);
        if (RegSetValueExA(key, name.c_str(), 0, REG_BINARY, data.data(), DWORD(data.size())) !=
            ERROR_SUCCESS)
            return 1;
        std::printf("%s\n", name.c_str());
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    HKEY key = nullptr;
    if (argc < 3 || RegCreateKeyA(HKEY_CURRENT_USER, "Faults", &key) != ERROR_SUCCESS)
        return 2;
    const std::string mode = argv[1];
    if (mode == "values" && argc == 4)
        return values(key, argv[2], std::atoi(argv[3]));
    if (mode == "blobs")
        return blobs(key, std::atoi(argv[2]));
    return 2;
}
