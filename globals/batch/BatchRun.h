#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <memory>
#include <string>
#include <vector>

#include "globals/batch/BatchListener.h"
#include "globals/batch/BatchOptions.h"
#include "globals/batch/BatchOutcome.h"

namespace batch {

// A run over many files and folders: the one place that decides what such a run is. It walks
// folders (symbolic links are never followed; FIFOs, sockets and devices are skipped without
// being opened; what cannot be read is reported and skipped), applies the skip rules (encrypting
// leaves .ECX and age files alone, decrypting and verifying take only names ending in .ECX in any
// case), names the outputs, asks about existing outputs, runs the engine on each file with one
// key (deriving the keys of upcoming files on all processors while one file streams), checks and
// deletes sources, writes and safely extracts archives, and counts the results.
//
// Use:
//     batch::BatchRun run(options, paths);       // paths in the system's bytes
//     if (run.plan(listener) == 0) ...           // nothing to do: see run.summary()
//     run.setKey(keyString);                     // the key string in UTF-8 (see KeyString.h)
//     const batch::BatchSummary &summary = run.run(listener);
//
// plan() touches nothing: it walks, decides and asks `listener` whether existing outputs may be
// replaced. run() does the work on the calling thread (the window runs it on a worker thread,
// `ecx` on its main thread) and reports through `listener` on that thread. requestStop() may be
// called from any thread: the run ends after the current file, which is finished whole (an
// archive being written or extracted is abandoned and leaves nothing). Every file is written
// atomically, so a run killed at any moment loses nothing, and the next run in a folder sweeps
// what a killed one left.
class VANTRELGLOBALS_EXPORT BatchRun {
public:
    BatchRun(BatchOptions options, std::vector<std::string> paths);
    ~BatchRun();
    BatchRun(const BatchRun &) = delete;
    BatchRun &operator=(const BatchRun &) = delete;

    // Decides every file of the run; returns how many will be worked on. Files skipped or
    // failed already are told to `listener` and counted in summary().
    std::size_t plan(BatchListener &listener);
    // The files plan() chose and their bytes, for a question such as "1,204 files, 3.1 GB".
    std::size_t fileCount() const;
    std::uint64_t totalBytes() const;

    // The key string in UTF-8 for every file of the run.
    void setKey(const std::string &key);
    // Works on the planned files; returns the summary of the whole run, plan() included.
    const BatchSummary &run(BatchListener &listener);
    // Any thread: stop after the current file.
    void requestStop();

    const BatchSummary &summary() const;

private:
    class Private;
    std::unique_ptr<Private> m_state;
};

} // namespace batch
