#include "platform/registry/WholeValue.h"

namespace registry {
namespace {

// How often a value that keeps growing while it is read is tried before giving up.
constexpr int ReadAttempts = 8;

} // namespace

LONG queryWholeValue(HKEY key, const std::string &name, WholeValue &value)
{
    value.name = name;
    LONG status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < ReadAttempts && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        value.data.resize(size);
        status =
            RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    return status;
}

LONG enumWholeValue(HKEY key, DWORD index, WholeValue &value)
{
    std::vector<char> name(ValueNameBufferBytes);
    LONG status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < ReadAttempts && status == ERROR_MORE_DATA; ++attempt) {
        DWORD nameLength = ValueNameBufferBytes;
        DWORD size = 0;
        status = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &value.type, nullptr,
                               &size);
        if (status != ERROR_SUCCESS)
            return status;
        value.data.resize(size);
        nameLength = ValueNameBufferBytes;
        status = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &value.type,
                               value.data.data(), &size);
        value.name.assign(name.data(), status == ERROR_SUCCESS ? nameLength : 0);
        value.data.resize(size);
    }
    return status;
}

} // namespace registry
