#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstddef>
#include <string>
#include <vector>

namespace batch {

enum class FileResult { Handled, Skipped, Failed };

// What stopped a file, where a caller may want to say more than the reason (such as how to
// replace an existing output).
enum class FailureCause {
    Other,
    OutputExists,       // the output exists and was kept, as the caller answered
    IsFolder,           // a folder was given to a run that does not walk folders
    OutputIsFolderName, // the one output path given ends in "/": it names no file
};

// What became of one file (or of a path that could not be handled, such as an unreadable
// folder). Paths are in the system's bytes, as given or as found in a folder.
struct VANTRELGLOBALS_EXPORT FileOutcome {
    std::string path;   // the input
    std::string output; // what was written; empty when nothing was (verify, skipped, failed)
    FileResult result = FileResult::Handled;
    std::string reason; // why it was skipped or failed, one line; empty when handled
    FailureCause cause = FailureCause::Other;
};

// The end of a run: the counts, every outcome in the order the files were met, and whether the
// run was stopped before its last file.
struct VANTRELGLOBALS_EXPORT BatchSummary {
    std::size_t handled = 0, skipped = 0, failed = 0;
    bool stopped = false;
    std::vector<FileOutcome> outcomes;

    void add(FileOutcome outcome);
};

} // namespace batch
