// Feeds arbitrary command lines to ecx's argument parser (arguments separated by NUL bytes,
// as the system hands them over) and arbitrary key files to the key reader.
#include <cstdlib>

#include "cli/CliArguments.h"
#include "cli/KeyInput.h"
#include "globals/engine/ScryptIdentity.h"
#include "globals/filerules/KeyString.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

QByteArrayList argumentsOf(const QByteArray &bytes) { return bytes.split('\0'); }

void checkCommand(const CliParseResult &parsed)
{
    if (!parsed.command) {
        require(!parsed.error.isEmpty());
        return;
    }
    const CliCommand &command = *parsed.command;
    require(command.workFactor >= age::minOfferedWorkFactor &&
            command.workFactor <= age::maxReadWorkFactor);
    // Help and version ignore the rest of the line; a command to run must be consistent.
    if (command.action != CliCommand::Action::Help &&
        command.action != CliCommand::Action::Version) {
        require(!(command.keyStdin && !command.keyFile.isEmpty()));
        require(!command.inputs.isEmpty());
        const bool streamIn = command.inputs.contains(standardStreamName);
        // Standard input holds the file or the key, never both; nothing on it can be deleted.
        require(!(streamIn && command.keyStdin));
        require(!(command.deleteInput && (streamIn || command.output == standardStreamName)));
        // -o names one output: one file's, or the one archive of everything given.
        require(command.output.isEmpty() || command.inputs.size() == 1 || command.archive);
        require(!(command.recursive && (command.archive || command.extract)));
    }
}

void checkKey(const QByteArray &bytes)
{
    const KeyResult key = keyFromBytes(bytes);
    require(key.key.has_value() != !key.error.isEmpty());
    if (key.key) {
        require(!key.key->isEmpty());
        require(!keyStringFor(*key.key).isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CliParseResult parsed = parseArguments(argumentsOf(bytes));
    checkCommand(parsed);
    // The parser is pure: the same line gives the same answer.
    const CliParseResult again = parseArguments(argumentsOf(bytes));
    require(again.command.has_value() == parsed.command.has_value() && again.error == parsed.error);
    checkKey(bytes);
    return 0;
}
