#include "RegistryReading.h"

#include <vector>

namespace {

// A value may grow between asking its size and reading it (another process writing); the
// read is then tried again with the new size.
constexpr int ReadAttempts = 8;

// A value name of the longest length, every character taking up to four bytes.
constexpr DWORD NameBufferBytes = 16383 * 4 + 1;

} // namespace

std::optional<WholeValue> readWholeValue(HKEY key, const QByteArray &name)
{
    WholeValue value;
    value.name = name;
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(key, name.constData(), nullptr, &value.type, nullptr, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        const LONG status = RegQueryValueExA(key, name.constData(), nullptr, &value.type,
                                             reinterpret_cast<LPBYTE>(value.data.data()), &size);
        if (status == ERROR_SUCCESS) {
            value.data.resize(size);
            return value;
        }
        if (status != ERROR_MORE_DATA)
            return std::nullopt;
    }
    return std::nullopt;
}

LONG enumerateWholeValue(HKEY key, DWORD index, WholeValue &value)
{
    std::vector<char> name(NameBufferBytes);
    LONG status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < ReadAttempts && status == ERROR_MORE_DATA; ++attempt) {
        DWORD nameLength = NameBufferBytes;
        DWORD size = 0;
        status = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &value.type,
                               nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        value.data.resize(size);
        nameLength = NameBufferBytes;
        status = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &value.type,
                               reinterpret_cast<LPBYTE>(value.data.data()), &size);
        if (status == ERROR_SUCCESS) {
            value.name = QByteArray(name.data(), nameLength);
            value.data.resize(size);
        }
    }
    return status;
}
