#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <optional>

#include "globals/engine/FileIdentity.h"

namespace age {

// The permissions a written file ends with (it is written as 0600 until then). A file that
// replaces another keeps that file's permissions (without set-user-ID, set-group-ID and sticky
// bits: the content is new). A new file gets what other programs give, 0666 less the umask,
// except that group and others get no more than they had on the source: the encrypted or
// decrypted copy of a private file stays private.
VANTRELGLOBALS_EXPORT mode_t outputMode(const std::optional<FileIdentity> &replaced,
                                        const FileIdentity &source);

// The process's file mode creation mask, read without changing it.
VANTRELGLOBALS_EXPORT mode_t currentUmask();

} // namespace age
