#include "globals/batch/BatchContext.h"

#include <numeric>

namespace batch {

void BatchContext::report(FileOutcome outcome)
{
    if (listener)
        listener->fileDone(outcome);
    summary.add(std::move(outcome));
}

bool BatchContext::failed(const std::string &path, const std::string &reason, FailureCause cause)
{
    report({path, {}, FileResult::Failed, reason, cause});
    return false;
}

bool BatchContext::skipped(const std::string &path, const std::string &reason)
{
    report({path, {}, FileResult::Skipped, reason, FailureCause::Other});
    return false;
}

void BatchContext::handled(const std::string &path, const std::string &output)
{
    report({path, output, FileResult::Handled, {}, FailureCause::Other});
}

bool BatchContext::mayWrite(const std::string &path, const std::string &output, bool &replace,
                            bool folderMayGo)
{
    replace = false;
    const auto existing = age::identityAt(output);
    if (!existing)
        return true;
    if (S_ISDIR(existing->mode) && !folderMayGo)
        return failed(path, output + " is a folder");
    if (!existing->isRegular() && !S_ISDIR(existing->mode))
        return failed(path, output + " is not a regular file; it is left as it is");
    if (!replaceAll) {
        const ReplaceAnswer answer =
            listener ? listener->replaceExisting(output) : ReplaceAnswer::No;
        replace = answer == ReplaceAnswer::Yes || answer == ReplaceAnswer::YesToAll;
        if (answer == ReplaceAnswer::YesToAll || answer == ReplaceAnswer::NoToAll)
            replaceAll = replace;
    } else {
        replace = *replaceAll;
    }
    return replace || failed(path, output + " exists; not replaced", FailureCause::OutputExists);
}

std::uint64_t BatchContext::totalBytes() const
{
    return std::accumulate(files.begin(), files.end(), std::uint64_t(0),
                           [](std::uint64_t sum, const PlannedFile &f) { return sum + f.size; });
}

} // namespace batch
