#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <string>

namespace batch {

enum class Action { Encrypt, Decrypt, Verify };

// How the given paths become output: each file on its own (FILE -> FILE.ECX beside it, and
// back), all of them as one archive (encrypting: PATH -> PATH.tar.ECX, a POSIX tar stream inside
// one age file), or an archive's folder given back beside it (decrypting NAME.tar.ECX -> NAME).
enum class Packing { EachFile, Archive, Extract };

struct VANTRELGLOBALS_EXPORT BatchOptions {
    Action action = Action::Encrypt;
    Packing packing = Packing::EachFile;
    // Each file: folders among the paths are walked; without it a folder is refused.
    bool recursive = false;
    // Removes each source after its own output was checked (an archive's sources after the
    // whole archive was checked).
    bool deleteSources = false;
    // Encrypted output as armored text.
    bool armor = false;
    // log2 of the scrypt work factor when encrypting.
    int workFactor = 18;
    // One output path instead of the naming rule: for a single file, an archive, or the folder an
    // archive gives back. Empty: the naming rule.
    std::string output;
    // "-" names standard input (as a path) and standard output (as `output`).
    bool standardStreams = false;
};

} // namespace batch
