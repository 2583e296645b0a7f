#include "globals/engine/BatchPipeline.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace age {

namespace {
constexpr unsigned minLanes = 2, maxLanes = 4;

// Hands out the turns to read and to write, batch by batch, in order.
class Turns {
public:
    // Waits until batch `k` may read; false when reading has ended.
    bool awaitRead(std::uint64_t k)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_readEnded || m_nextRead == k; });
        return !m_readEnded;
    }
    void readDone(bool more)
    {
        std::lock_guard lock(m_mutex);
        ++m_nextRead;
        m_readEnded = m_readEnded || !more;
        m_changed.notify_all();
    }
    // Waits until batch `k` may write; false when the run has stopped.
    bool awaitWrite(std::uint64_t k)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_stopped || m_nextWrite == k; });
        return !m_stopped;
    }
    void writeDone(bool goOn)
    {
        std::lock_guard lock(m_mutex);
        ++m_nextWrite;
        if (!goOn)
            m_stopped = m_readEnded = true;
        m_changed.notify_all();
    }
    // Ends the run for every lane that waits for a turn.
    void stop() { writeDone(false); }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::uint64_t m_nextRead = 0, m_nextWrite = 0;
    bool m_readEnded = false, m_stopped = false;
};

void runLane(BatchJob &job, Turns &turns, Batch &batch, unsigned lane, unsigned lanes,
             const std::function<void()> *afterWrite)
{
    for (std::uint64_t k = lane;; k += lanes) {
        if (!turns.awaitRead(k))
            return;
        const bool more = job.read(batch);
        turns.readDone(more);
        if (!more)
            return;
        job.transform(batch);
        if (!turns.awaitWrite(k))
            return;
        const bool goOn = job.write(batch) && !batch.last;
        turns.writeDone(goOn);
        if (afterWrite)
            (*afterWrite)();
        if (!goOn)
            return;
    }
}

// Runs one lane and keeps what it throws in `error`: an exception must not leave a thread, and
// the other lanes are released so that they stop instead of waiting for turns never taken.
void runLaneCatching(BatchJob &job, Turns &turns, Batch &batch, unsigned lane, unsigned lanes,
                     const std::function<void()> *afterWrite, std::exception_ptr &error)
{
    try {
        runLane(job, turns, batch, lane, lanes, afterWrite);
    } catch (...) {
        error = std::current_exception();
        turns.stop();
    }
}
} // namespace

unsigned pipelineLanes()
{
    return std::clamp(std::thread::hardware_concurrency(), minLanes, maxLanes);
}

void runBatches(BatchJob &job, unsigned requestedLanes, const std::function<void()> &afterWrite)
{
    const unsigned lanes = std::max(requestedLanes, 1u);
    // Allocated before any helper starts, so that a failed allocation throws to the caller
    // instead of ending the process from a helper thread.
    std::vector<Batch> batches(lanes);
    for (Batch &batch : batches)
        batch.buffer.resize(job.bufferSize());
    Turns turns;
    std::vector<std::exception_ptr> errors(lanes);
    std::vector<std::thread> helpers;
    try {
        for (unsigned lane = 1; lane < lanes; ++lane)
            helpers.emplace_back([&, lane] {
                runLaneCatching(job, turns, batches[lane], lane, lanes, nullptr, errors[lane]);
            });
    } catch (const std::system_error &) {
        // The system has no thread to spare. Nothing has been read yet: release the helpers
        // that started and do all the work on the calling thread.
        turns.stop();
        for (std::thread &helper : helpers)
            helper.join();
        return runBatches(job, 1, afterWrite);
    }
    runLaneCatching(job, turns, batches[0], 0, lanes, &afterWrite, errors[0]);
    for (std::thread &helper : helpers)
        helper.join();
    for (const std::exception_ptr &error : errors)
        if (error)
            std::rethrow_exception(error);
}

} // namespace age
