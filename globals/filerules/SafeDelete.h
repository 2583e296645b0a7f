#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <functional>
#include <string>

#include "globals/engine/AgeFailure.h"
#include "globals/engine/FileEngine.h"

// How an attempt to delete a run's source ended.
enum class SafeDeleteEnd {
    Deleted,
    OutputUnverified, // the new output did not open completely: it was removed, the source kept
    SourceKept,       // the output or the source is not what the run left or read: both kept
    DeleteFailed,     // the system refused to delete the source
};

struct VANTRELGLOBALS_EXPORT SafeDeleteResult {
    SafeDeleteEnd end;
    std::string message; // why the source is still there; empty when deleted
};

// The one rule for deleting a source after a run, used by the window and by `ecx`: the source
// goes only when the run's output is still the regular file it wrote, when `verifyOutput` (if
// given) proves that file opens completely with the key, and when the source path still names
// the very file the run read, unchanged since it was opened (device, inode, size, modification
// time). A symbolic link is never deleted in place of its target. An output that fails the
// proof is useless and is removed, if it is still the file the run wrote.
VANTRELGLOBALS_EXPORT SafeDeleteResult
deleteSourceSafely(const age::RunRecord &run, const std::function<age::Failure()> &verifyOutput);
