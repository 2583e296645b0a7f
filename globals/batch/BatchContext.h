#pragma once
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "globals/batch/BatchListener.h"
#include "globals/batch/BatchOptions.h"
#include "globals/batch/FolderWalk.h"
#include "globals/engine/FileEngine.h"

namespace batch {

// One file a run will work on.
struct PlannedFile {
    age::FileEnd source, output; // output is empty when verifying
    std::uint64_t size = 0;
    bool replaceExisting = false;
    // For a file found in a folder: the regular file listed there, which it must still be
    // when its turn comes (nothing else is opened in its place, a FIFO least of all).
    std::optional<age::FileIdentity> listed;
};

// The state of one run, shared by its planning and its work.
struct BatchContext {
    BatchOptions options;
    std::vector<std::string> paths;
    BatchListener *listener = nullptr;
    BatchSummary summary;
    std::vector<PlannedFile> files;
    std::vector<FoundEntry> archiveEntries; // what an archive holds, in order
    PlannedFile archive;                    // the archive written (its source unused)
    std::string key;
    std::atomic<bool> stopRequested = false;
    std::optional<bool> replaceAll; // set by a "to all" answer

    // Tells the listener and counts; failed() and skipped() return false for convenience.
    void report(FileOutcome outcome);
    bool failed(const std::string &path, const std::string &reason,
                FailureCause cause = FailureCause::Other);
    bool skipped(const std::string &path, const std::string &reason);
    void handled(const std::string &path, const std::string &output);

    // Whether `output` may be written: absent, or a regular file (a folder too when
    // `folderMayGo`) that the caller agrees to replace. Refusals are reported against `path`.
    bool mayWrite(const std::string &path, const std::string &output, bool &replace,
                  bool folderMayGo = false);

    std::uint64_t totalBytes() const;
};

// The parts of a run, one per way of packing.
void planEachFile(BatchContext &context);
void runEachFile(BatchContext &context);
void planArchive(BatchContext &context);
void runArchive(BatchContext &context);
void planExtraction(BatchContext &context);
void runExtraction(BatchContext &context);

} // namespace batch
