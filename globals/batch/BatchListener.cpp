#include "globals/batch/BatchListener.h"

#include <algorithm>

namespace batch {

int BatchProgress::percent() const
{
    if (totalBytes == 0)
        return 0;
    return int(std::min<std::uint64_t>(100, doneBytes * 100 / totalBytes));
}

ReplaceAnswer BatchListener::replaceExisting(const std::string &) { return ReplaceAnswer::No; }

void BatchListener::progress(const BatchProgress &) {}

void BatchListener::fileDone(const FileOutcome &) {}

} // namespace batch
