#include "globals/batch/BatchRun.h"

#include <sodium.h>

#include "globals/batch/BatchContext.h"
#include "globals/engine/CryptoStart.h"

namespace batch {

class BatchRun::Private : public BatchContext {};

BatchRun::BatchRun(BatchOptions options, std::vector<std::string> paths)
    : d(std::make_unique<Private>())
{
    age::startCrypto();
    d->options = std::move(options);
    d->paths = std::move(paths);
}

BatchRun::~BatchRun() { sodium_memzero(d->key.data(), d->key.size()); }

std::size_t BatchRun::plan(BatchListener &listener)
{
    d->listener = &listener;
    switch (d->options.packing) {
    case Packing::EachFile:
        planEachFile(*d);
        break;
    case Packing::Archive:
        planArchive(*d);
        break;
    case Packing::Extract:
        planExtraction(*d);
        break;
    }
    d->listener = nullptr;
    return d->files.size();
}

std::size_t BatchRun::fileCount() const { return d->files.size(); }

std::uint64_t BatchRun::totalBytes() const { return d->totalBytes(); }

void BatchRun::setKey(const std::string &key)
{
    sodium_memzero(d->key.data(), d->key.size());
    d->key = key;
}

const BatchSummary &BatchRun::run(BatchListener &listener)
{
    d->listener = &listener;
    switch (d->options.packing) {
    case Packing::EachFile:
        runEachFile(*d);
        break;
    case Packing::Archive:
        runArchive(*d);
        break;
    case Packing::Extract:
        runExtraction(*d);
        break;
    }
    d->listener = nullptr;
    return d->summary;
}

void BatchRun::requestStop() { d->stopRequested = true; }

const BatchSummary &BatchRun::summary() const { return d->summary; }

} // namespace batch
