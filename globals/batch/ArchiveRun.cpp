#include "globals/batch/BatchContext.h"

namespace batch {

void planArchive(BatchContext &context)
{
    context.failed(context.paths.empty() ? std::string() : context.paths.front(),
                   "archives are not available yet");
}

void runArchive(BatchContext &) {}

void planExtraction(BatchContext &context)
{
    context.failed(context.paths.empty() ? std::string() : context.paths.front(),
                   "archives are not available yet");
}

void runExtraction(BatchContext &) {}

} // namespace batch
