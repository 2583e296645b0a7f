#include "globals/filerules/SafeDelete.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

SafeDeleteResult kept(SafeDeleteEnd end, const std::string &why, const age::RunRecord &run)
{
    return {end, why + "; " + run.source.path + " kept"};
}

bool stillAsWritten(const age::RunRecord &run)
{
    const auto output = age::identityAt(run.output.path);
    return !run.output.standardStream && output && output->unchangedFrom(run.outputIdentity) &&
           output->isRegular();
}

} // namespace

SafeDeleteResult deleteSourceSafely(const age::RunRecord &run,
                                    const std::function<age::Failure()> &verifyOutput)
{
    if (run.source.standardStream)
        return {SafeDeleteEnd::SourceKept, "standard input cannot be deleted"};
    if (!stillAsWritten(run))
        return kept(SafeDeleteEnd::SourceKept,
                    run.output.path + " is not the regular file just written", run);
    if (verifyOutput) {
        if (const age::Failure failure = verifyOutput()) {
            const bool removed = stillAsWritten(run) && ::unlink(run.output.path.c_str()) == 0;
            return kept(SafeDeleteEnd::OutputUnverified,
                        run.output.path + " did not verify (" + failure.message() + ")" +
                            (removed ? " and was removed" : ""),
                        run);
        }
    }
    const auto source = age::identityAt(run.source.path);
    if (!source)
        return {SafeDeleteEnd::DeleteFailed, run.source.path + " is gone"};
    if (S_ISLNK(source->mode))
        return kept(SafeDeleteEnd::SourceKept,
                    run.source.path + " is a symbolic link, not the file itself", run);
    if (!source->unchangedFrom(run.sourceIdentity))
        return kept(SafeDeleteEnd::SourceKept,
                    run.source.path + " was replaced or changed since it was read", run);
    // The output may have been removed or replaced while it was read back: it must still be
    // the file that was checked at the moment the source goes.
    if (!stillAsWritten(run))
        return kept(SafeDeleteEnd::SourceKept,
                    run.output.path + " was removed or replaced while it was checked", run);
    if (::unlink(run.source.path.c_str()) != 0)
        return {SafeDeleteEnd::DeleteFailed,
                "could not delete " + run.source.path + ": " + std::strerror(errno)};
    return {SafeDeleteEnd::Deleted, {}};
}
