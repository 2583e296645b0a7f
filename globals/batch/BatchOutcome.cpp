#include "globals/batch/BatchOutcome.h"

namespace batch {

void BatchSummary::add(FileOutcome outcome)
{
    switch (outcome.result) {
    case FileResult::Handled:
        ++handled;
        break;
    case FileResult::Skipped:
        ++skipped;
        break;
    case FileResult::Failed:
        ++failed;
        break;
    }
    outcomes.push_back(std::move(outcome));
}

} // namespace batch
