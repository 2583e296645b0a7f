#include "globals/batch/RunProgress.h"

#include <algorithm>

namespace batch {

RunProgress::RunProgress(BatchContext &context)
    : m_context(context), m_total(context.totalBytes()), m_count(context.files.size())
{
}

age::FileEngine::Progress RunProgress::forFile(Stage stage, const std::string &path,
                                               std::size_t index, std::uint64_t size)
{
    return [=, this](std::int16_t percent) {
        report(stage, path, index, size * std::uint64_t(percent) / 100, size);
    };
}

void RunProgress::report(Stage stage, const std::string &path, std::size_t index,
                         std::uint64_t doneInFile, std::uint64_t fileSize)
{
    if (!m_context.listener)
        return;
    BatchProgress progress;
    progress.totalBytes = m_total;
    progress.doneBytes = std::min(m_total, m_done + doneInFile);
    progress.stage = stage;
    progress.currentPath = path;
    progress.fileIndex = index;
    progress.fileCount = m_count;
    progress.fileDoneBytes = doneInFile;
    progress.fileBytes = fileSize;
    m_context.listener->progress(progress);
}

void RunProgress::fileEnded(std::uint64_t size) { m_done += size; }

} // namespace batch
