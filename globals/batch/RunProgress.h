#pragma once
#include <cstdint>
#include <string>

#include "globals/batch/BatchContext.h"

namespace batch {

// Turns the engine's progress on one file into progress over all bytes of the run.
class RunProgress {
public:
    explicit RunProgress(BatchContext &context);

    // The engine's progress function for file `index` of `size` bytes.
    age::FileEngine::Progress forFile(Stage stage, const std::string &path, std::size_t index,
                                      std::uint64_t size);
    // Tells where the run is: `doneInFile` bytes of the current file of `fileSize` bytes.
    void report(Stage stage, const std::string &path, std::size_t index, std::uint64_t doneInFile,
                std::uint64_t fileSize);
    // The current file is over: its bytes count as done.
    void fileEnded(std::uint64_t size);
    std::uint64_t total() const { return m_total; }

private:
    BatchContext &m_context;
    std::uint64_t m_total, m_done = 0;
    std::size_t m_count;
};

} // namespace batch
