#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstddef>
#include <cstdint>
#include <string>

#include "globals/batch/BatchOutcome.h"

namespace batch {

// The answer to "the output exists: replace it?". The "to all" answers hold for the rest of
// the run and are not asked again.
enum class ReplaceAnswer { Yes, YesToAll, No, NoToAll };

// What a run is doing at the moment.
enum class Stage {
    Encrypting,
    Decrypting,
    Verifying,
    Checking,   // reading back a new output before its source is deleted
    Archiving,  // writing the entries of one archive
    Extracting, // giving an archive's folder back
};

// How far a run has come, over all bytes of all its files.
struct VANTRELGLOBALS_EXPORT BatchProgress {
    std::uint64_t doneBytes = 0, totalBytes = 0;
    Stage stage = Stage::Encrypting;
    std::string currentPath;                        // the file being worked on
    std::size_t fileIndex = 0, fileCount = 0;       // fileIndex counts from 0
    std::uint64_t fileDoneBytes = 0, fileBytes = 0; // of the current file

    // Whole percent of the run, 0..100.
    int percent() const;
};

// What the caller of a run answers and hears. Every call comes on the thread that called
// BatchRun::plan() or BatchRun::run(), inside that call; a window that runs on a worker thread
// forwards them to its own thread (and blocks for the answer to replaceExisting()).
class VANTRELGLOBALS_EXPORT BatchListener {
public:
    virtual ~BatchListener() = default;
    // `path` exists (a regular file, or the folder an archive would give back) and the run
    // would replace it. Asked during plan(), before the key is needed. The default keeps it.
    virtual ReplaceAnswer replaceExisting(const std::string &path);
    // Raised often while a file is worked on; cheap to ignore.
    virtual void progress(const BatchProgress &progress);
    // One file ended: handled, skipped or failed (also for what plan() already decided).
    virtual void fileDone(const FileOutcome &outcome);
};

} // namespace batch
