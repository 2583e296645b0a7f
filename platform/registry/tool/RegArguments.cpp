#include "platform/registry/tool/RegArguments.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace {

struct Root {
    const char *shortName;
    const char *longName;
    HKEY handle;
};

const Root Roots[] = {
    {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKU", "HKEY_USERS", HKEY_USERS},
    {"HKCC", "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

const char *const QueryUsage = "reg query KEY [/v NAME | /ve]\n";
const char *const AddUsage =
    "reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_BINARY|REG_DWORD] [/d DATA] [/f]\n";
const char *const DeleteUsage = "reg delete KEY [/v NAME | /ve] [/f]\n";
const char *const GeneralUsage =
    "reg query KEY [/v NAME | /ve]\n"
    "reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_BINARY|REG_DWORD] [/d DATA] [/f]\n"
    "reg delete KEY [/v NAME | /ve] [/f]\n"
    "\n"
    "KEY begins with its root: HKLM, HKCU, HKCR, HKU, HKCC or HKEY_LOCAL_MACHINE,\n"
    "HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_USERS, HKEY_CURRENT_CONFIG. /v names a value,\n"
    "/ve the key's default value.\n"
    "/d gives the data: text for REG_SZ, hex digits for REG_BINARY (\"0a1B\"), a number for\n"
    "REG_DWORD (decimal or 0x hex). /f changes or deletes without asking.\n"
    "The store is the file named by EMBERCOFFER_REGISTRY, else\n"
    "$XDG_CONFIG_HOME/EmberCoffer/registry.db (default ~/.config).\n";

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The switch a word stands for ("V" for "/v" or "-V"), or "" when it is not a switch.
std::string switchName(const std::string &word)
{
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
        return {};
    return upper(word.substr(1));
}

RegParseResult syntaxError(const std::string &operation)
{
    const std::string help = operation.empty() ? "reg /?" : "reg " + operation + " /?";
    return {std::nullopt, "ERROR: Invalid syntax. Type \"" + help + "\" for usage."};
}

RegParseResult failure(const std::string &message) { return {std::nullopt, "ERROR: " + message}; }

// Splits KEY into its root and the path below it.
bool parseKey(const std::string &key, RegArguments &arguments)
{
    const std::size_t slash = key.find('\\');
    const std::string rootWord = upper(key.substr(0, slash));
    const auto root = std::find_if(std::begin(Roots), std::end(Roots), [&](const Root &r) {
        return rootWord == r.shortName || rootWord == r.longName;
    });
    if (root == std::end(Roots))
        return false;
    arguments.root = root->handle;
    arguments.rootName = root->longName;
    if (slash != std::string::npos) {
        std::string path = key.substr(slash + 1);
        while (path.ends_with('\\'))
            path.pop_back();
        if (path.starts_with('\\'))
            return false;
        arguments.path = path;
    }
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<std::vector<BYTE>> binaryData(const std::string &text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<BYTE> bytes;
    for (std::size_t at = 0; at < text.size(); at += 2) {
        const int high = hexDigit(text[at]);
        const int low = hexDigit(text[at + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<BYTE>(high * 16 + low));
    }
    return bytes;
}

// A REG_DWORD's four bytes from decimal or 0x-prefixed hex text.
std::optional<std::vector<BYTE>> numberData(const std::string &text)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 10)
        return std::nullopt;
    std::uint64_t number = 0;
    for (const char c : digits) {
        const int digit = hex ? hexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        number = number * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    }
    if (number > 0xFFFFFFFFu)
        return std::nullopt;
    return std::vector<BYTE>{static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
                             static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)};
}

// The stored bytes of an added value from its type and /d text (none when /d is missing).
RegParseResult convertData(RegArguments arguments, const std::optional<std::string> &text)
{
    const std::string given = text.value_or("");
    if (arguments.type == REG_SZ) {
        arguments.data.assign(given.begin(), given.end());
        arguments.data.push_back(0);
    } else if (arguments.type == REG_BINARY) {
        const auto bytes = binaryData(given);
        if (!bytes)
            return failure("The data of a REG_BINARY value is an even number of hex digits.");
        arguments.data = *bytes;
    } else {
        const auto bytes = numberData(text.value_or("0"));
        if (!bytes)
            return failure("The data of a REG_DWORD value is a number from 0 to 4294967295 "
                           "(decimal, or hex after 0x).");
        arguments.data = *bytes;
    }
    return {arguments, {}};
}

std::optional<DWORD> typeNamed(const std::string &name)
{
    const std::string type = upper(name);
    if (type == "REG_SZ")
        return REG_SZ;
    if (type == "REG_BINARY")
        return REG_BINARY;
    if (type == "REG_DWORD")
        return REG_DWORD;
    return std::nullopt;
}

struct Switches {
    std::optional<std::string> value;
    bool defaultValue = false;
    std::optional<std::string> type;
    std::optional<std::string> data;
    bool force = false;
};

// Reads the switches after KEY; false on anything not allowed for `operation`.
bool parseSwitches(const std::vector<std::string> &words, RegOperation operation,
                   Switches &switches)
{
    const bool adding = operation == RegOperation::Add;
    const bool changing = operation != RegOperation::Query;
    for (std::size_t at = 2; at < words.size(); ++at) {
        const std::string name = switchName(words[at]);
        const bool hasArgument = at + 1 < words.size();
        if (name == "V" && hasArgument && !switches.value && !switches.defaultValue) {
            switches.value = words[++at];
        } else if (name == "VE" && !switches.value && !switches.defaultValue) {
            switches.defaultValue = true;
        } else if (name == "T" && adding && hasArgument && !switches.type) {
            switches.type = words[++at];
        } else if (name == "D" && adding && hasArgument && !switches.data) {
            switches.data = words[++at];
        } else if (name == "F" && changing && !switches.force) {
            switches.force = true;
        } else {
            return false;
        }
    }
    return true;
}

std::optional<RegOperation> operationNamed(const std::string &word)
{
    const std::string name = upper(word);
    if (name == "QUERY")
        return RegOperation::Query;
    if (name == "ADD")
        return RegOperation::Add;
    if (name == "DELETE")
        return RegOperation::Delete;
    return std::nullopt;
}

const char *usageOf(RegOperation operation)
{
    switch (operation) {
    case RegOperation::Query:
        return QueryUsage;
    case RegOperation::Add:
        return AddUsage;
    case RegOperation::Delete:
        return DeleteUsage;
    case RegOperation::Help:
        break;
    }
    return GeneralUsage;
}

RegParseResult help(RegOperation about)
{
    RegArguments arguments;
    arguments.usage = usageOf(about);
    return {arguments, {}};
}

bool isHelpWord(const std::string &word) { return word == "/?" || word == "-?"; }

} // namespace

RegParseResult parseRegArguments(const std::vector<std::string> &words)
{
    if (words.size() == 1 && isHelpWord(words[0]))
        return help(RegOperation::Help);
    if (words.empty())
        return syntaxError({});
    const std::optional<RegOperation> operation = operationNamed(words[0]);
    if (!operation)
        return syntaxError({});
    const std::string operationWord = lower(words[0]);
    if (words.size() == 2 && isHelpWord(words[1]))
        return help(*operation);
    if (words.size() < 2 || !switchName(words[1]).empty())
        return syntaxError(operationWord);

    RegArguments arguments;
    arguments.operation = *operation;
    if (!parseKey(words[1], arguments))
        return failure("Invalid key name.");
    Switches switches;
    if (!parseSwitches(words, *operation, switches))
        return syntaxError(operationWord);
    arguments.force = switches.force;
    if (switches.value)
        arguments.valueName = switches.value;
    else if (switches.defaultValue || switches.type || switches.data)
        arguments.valueName = std::string();
    if (*operation != RegOperation::Add)
        return {arguments, {}};
    if (switches.type) {
        const std::optional<DWORD> type = typeNamed(*switches.type);
        if (!type)
            return failure("Unsupported type \"" + *switches.type +
                           "\"; use REG_SZ, REG_BINARY or REG_DWORD.");
        arguments.type = *type;
    }
    if (!arguments.valueName)
        return {arguments, {}};
    return convertData(arguments, switches.data);
}
