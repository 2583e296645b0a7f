#include "platform/registry/tool/RegTool.h"

#include "platform/registry/ScopedKey.h"
#include "platform/registry/WholeValue.h"
#include "platform/registry/tool/RegOutput.h"

using registry::ScopedKey;
using registry::WholeValue;

namespace {

constexpr int Success = 0;
constexpr int Failure = 1;
constexpr const char *Completed = "The operation completed successfully.";
constexpr const char *Cancelled = "The operation was canceled by the user.";
constexpr const char *NoTerminal =
    "ERROR: There is no terminal to confirm this on; add /f to go ahead without asking.";

std::string keyText(const RegArguments &arguments)
{
    return arguments.path.empty() ? arguments.rootName : arguments.rootName + "\\" + arguments.path;
}

std::string valueLabel(const std::string &name) { return name.empty() ? "(Default)" : name; }

int fail(std::ostream &err, LONG status)
{
    err << statusMessage(status) << "\n";
    return Failure;
}

// Whether to go on: true without asking under /f; otherwise the user's answer.
std::optional<bool> mayProceed(const RegArguments &arguments, const RegConfirm &confirm,
                               const std::string &question)
{
    return arguments.force ? std::optional<bool>(true) : confirm(question);
}

int confirmedOrStop(std::optional<bool> answer, std::ostream &out, std::ostream &err)
{
    if (!answer) {
        err << NoTerminal << "\n";
        return Failure;
    }
    out << Cancelled << "\n";
    return Success;
}

int query(const RegArguments &arguments, std::ostream &out, std::ostream &err)
{
    ScopedKey key;
    if (const LONG opened =
            RegOpenKeyExA(arguments.root, arguments.path.c_str(), 0, KEY_READ, &key.handle);
        opened != ERROR_SUCCESS)
        return fail(err, opened);
    const std::string shown = keyText(arguments);
    if (arguments.valueName) {
        WholeValue value;
        if (const LONG read = registry::queryWholeValue(key.handle, *arguments.valueName, value);
            read != ERROR_SUCCESS)
            return fail(err, read);
        out << "\n"
            << shown << "\n"
            << valueLine(*arguments.valueName, value.type, value.data) << "\n\n";
        return Success;
    }
    out << "\n" << shown << "\n";
    WholeValue value;
    DWORD index = 0;
    LONG status = ERROR_SUCCESS;
    for (; (status = registry::enumWholeValue(key.handle, index, value)) == ERROR_SUCCESS; ++index)
        out << valueLine(value.name, value.type, value.data) << "\n";
    if (status != ERROR_NO_MORE_ITEMS)
        return fail(err, status);
    if (index > 0)
        out << "\n";
    std::vector<char> subkey(registry::KeyNameBufferBytes);
    for (index = 0; (status = RegEnumKeyA(key.handle, index, subkey.data(),
                                          static_cast<DWORD>(subkey.size()))) == ERROR_SUCCESS;
         ++index)
        out << shown << "\\" << subkey.data() << "\n";
    return status == ERROR_NO_MORE_ITEMS ? Success : fail(err, status);
}

int add(const RegArguments &arguments, std::ostream &out, std::ostream &err,
        const RegConfirm &confirm)
{
    ScopedKey key;
    if (const LONG created = RegCreateKeyA(arguments.root, arguments.path.c_str(), &key.handle);
        created != ERROR_SUCCESS)
        return fail(err, created);
    if (arguments.valueName) {
        const char *name = arguments.valueName->c_str();
        if (RegQueryValueExA(key.handle, name, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            const auto answer = mayProceed(
                arguments, confirm, "Value " + valueLabel(name) + " exists, overwrite(Yes/No)? ");
            if (answer != true)
                return confirmedOrStop(answer, out, err);
        }
        const LONG set = RegSetValueExA(key.handle, name, 0, arguments.type, arguments.data.data(),
                                        static_cast<DWORD>(arguments.data.size()));
        if (set != ERROR_SUCCESS)
            return fail(err, set);
    }
    out << Completed << "\n";
    return Success;
}

int removeValue(const RegArguments &arguments, std::ostream &out, std::ostream &err,
                const RegConfirm &confirm)
{
    ScopedKey key;
    if (const LONG opened =
            RegOpenKeyExA(arguments.root, arguments.path.c_str(), 0, KEY_ALL_ACCESS, &key.handle);
        opened != ERROR_SUCCESS)
        return fail(err, opened);
    const char *name = arguments.valueName->c_str();
    if (const LONG found = RegQueryValueExA(key.handle, name, nullptr, nullptr, nullptr, nullptr);
        found != ERROR_SUCCESS)
        return fail(err, found);
    const auto answer = mayProceed(arguments, confirm,
                                   "Delete the registry value " + valueLabel(name) + " (Yes/No)? ");
    if (answer != true)
        return confirmedOrStop(answer, out, err);
    if (const LONG deleted = RegDeleteValueA(key.handle, name); deleted != ERROR_SUCCESS)
        return fail(err, deleted);
    out << Completed << "\n";
    return Success;
}

int removeKey(const RegArguments &arguments, std::ostream &out, std::ostream &err,
              const RegConfirm &confirm)
{
    if (arguments.path.empty()) {
        err << "ERROR: A root key cannot be deleted.\n";
        return Failure;
    }
    ScopedKey key;
    if (const LONG opened =
            RegOpenKeyExA(arguments.root, arguments.path.c_str(), 0, KEY_READ, &key.handle);
        opened != ERROR_SUCCESS)
        return fail(err, opened);
    const auto answer =
        mayProceed(arguments, confirm,
                   "Permanently delete the registry key " + keyText(arguments) + " (Yes/No)? ");
    if (answer != true)
        return confirmedOrStop(answer, out, err);
    if (const LONG deleted = RegDeleteTreeA(arguments.root, arguments.path.c_str());
        deleted != ERROR_SUCCESS)
        return fail(err, deleted);
    out << Completed << "\n";
    return Success;
}

} // namespace

int runReg(const RegArguments &arguments, std::ostream &out, std::ostream &err,
           const RegConfirm &confirm)
{
    switch (arguments.operation) {
    case RegOperation::Query:
        return query(arguments, out, err);
    case RegOperation::Add:
        return add(arguments, out, err, confirm);
    case RegOperation::Delete:
        return arguments.valueName ? removeValue(arguments, out, err, confirm)
                                   : removeKey(arguments, out, err, confirm);
    case RegOperation::Help:
        break;
    }
    out << arguments.usage;
    return Success;
}
