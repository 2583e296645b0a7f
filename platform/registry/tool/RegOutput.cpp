#include "platform/registry/tool/RegOutput.h"

#include "platform/registry/StorePath.h"

#include <cstdint>
#include <cstdio>

namespace {

std::string typeName(DWORD type)
{
    switch (type) {
    case REG_NONE:
        return "REG_NONE";
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN:
        return "REG_DWORD_BIG_ENDIAN";
    case REG_LINK:
        return "REG_LINK";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_RESOURCE_LIST:
        return "REG_RESOURCE_LIST";
    case REG_QWORD:
        return "REG_QWORD";
    default: {
        char text[16];
        std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(type));
        return text;
    }
    }
}

std::string hexBytes(const std::vector<BYTE> &data)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const BYTE byte : data) {
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return text;
}

std::string littleEndianNumber(const std::vector<BYTE> &data)
{
    std::uint64_t number = 0;
    for (std::size_t at = data.size(); at-- > 0;)
        number = (number << 8) | data[at];
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(number));
    return text;
}

// The strings of a string value, up to its first terminator (a list: "\0" between them).
std::string stringText(const std::vector<BYTE> &data, bool list)
{
    std::string text;
    for (std::size_t at = 0; at < data.size(); ++at) {
        if (data[at] != 0) {
            text += static_cast<char>(data[at]);
            continue;
        }
        const bool more = at + 1 < data.size() && data[at + 1] != 0;
        if (!list || !more)
            break;
        text += "\\0";
    }
    return text;
}

std::string dataText(DWORD type, const std::vector<BYTE> &data)
{
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return stringText(data, false);
    case REG_MULTI_SZ:
        return stringText(data, true);
    case REG_DWORD:
        return data.size() == 4 ? littleEndianNumber(data) : hexBytes(data);
    case REG_QWORD:
        return data.size() == 8 ? littleEndianNumber(data) : hexBytes(data);
    default:
        return hexBytes(data);
    }
}

std::string storeProblem(const std::string &problem)
{
    if (registry::storePathVariableIsEmpty())
        return std::string("ERROR: ") + registry::StorePathVariable +
               " is set but empty: name the store file, or unset it to use your own store.";
    const std::string path = registry::registryStorePath();
    if (path.empty())
        return "ERROR: There is no registry store: no home folder was found.";
    return "ERROR: The registry store " + path + " " + problem;
}

} // namespace

std::string valueLine(const std::string &name, DWORD type, const std::vector<BYTE> &data)
{
    return "    " + (name.empty() ? std::string("(Default)") : name) + "    " + typeName(type) +
           "    " + dataText(type, data);
}

std::string statusMessage(LONG status)
{
    switch (status) {
    case ERROR_FILE_NOT_FOUND:
        return "ERROR: The system was unable to find the specified registry key or value.";
    case ERROR_ACCESS_DENIED:
        return "ERROR: Access is denied.";
    case ERROR_BAD_PATHNAME:
        return "ERROR: Invalid key name.";
    case ERROR_INVALID_PARAMETER:
        return "ERROR: The parameter is incorrect (a name may be too long).";
    case ERROR_KEY_DELETED:
        return "ERROR: The key was deleted while it was in use.";
    case ERROR_BADDB:
        return storeProblem("is not a registry database, or was written by a newer version.");
    case ERROR_CANTOPEN:
        return storeProblem("cannot be opened.");
    case ERROR_BUSY:
        return storeProblem("is busy; try again.");
    case ERROR_DISK_FULL:
        return storeProblem("could not be written: there is not enough space on the disk.");
    case ERROR_OUTOFMEMORY:
    case ERROR_NOT_ENOUGH_MEMORY:
        return "ERROR: Not enough memory.";
    default:
        return storeProblem("could not be read or written (status " + std::to_string(status) +
                            ").");
    }
}
