#include "globals/batch/BatchRun.h"

#include <sodium.h>

#include "globals/batch/BatchContext.h"
#include "globals/engine/CryptoStart.h"

namespace batch {

class BatchRun::Private : public BatchContext {};

BatchRun::BatchRun(BatchOptions options, std::vector<std::string> paths)
    : m_state(std::make_unique<Private>())
{
    age::startCrypto();
    m_state->options = std::move(options);
    m_state->paths = std::move(paths);
}

BatchRun::~BatchRun() { sodium_memzero(m_state->key.data(), m_state->key.size()); }

std::size_t BatchRun::plan(BatchListener &listener)
{
    m_state->listener = &listener;
    switch (m_state->options.packing) {
    case Packing::EachFile:
        planEachFile(*m_state);
        break;
    case Packing::Archive:
        planArchive(*m_state);
        break;
    case Packing::Extract:
        planExtraction(*m_state);
        break;
    }
    m_state->listener = nullptr;
    return m_state->files.size();
}

std::size_t BatchRun::fileCount() const { return m_state->files.size(); }

std::uint64_t BatchRun::totalBytes() const { return m_state->totalBytes(); }

void BatchRun::setKey(const std::string &key)
{
    sodium_memzero(m_state->key.data(), m_state->key.size());
    m_state->key = key;
}

const BatchSummary &BatchRun::run(BatchListener &listener)
{
    m_state->listener = &listener;
    switch (m_state->options.packing) {
    case Packing::EachFile:
        runEachFile(*m_state);
        break;
    case Packing::Archive:
        runArchive(*m_state);
        break;
    case Packing::Extract:
        runExtraction(*m_state);
        break;
    }
    m_state->listener = nullptr;
    return m_state->summary;
}

void BatchRun::requestStop() { m_state->stopRequested = true; }

const BatchSummary &BatchRun::summary() const { return m_state->summary; }

} // namespace batch
