#include "globals/engine/BatchPipeline.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace age {

namespace {
constexpr unsigned lanes = 2;

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

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::uint64_t m_nextRead = 0, m_nextWrite = 0;
    bool m_readEnded = false, m_stopped = false;
};

void runLane(BatchJob &job, Turns &turns, unsigned lane, const std::function<void()> *afterWrite)
{
    Batch batch;
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
} // namespace

void runBatches(BatchJob &job, const std::function<void()> &afterWrite)
{
    Turns turns;
    std::thread helper([&] { runLane(job, turns, 1, nullptr); });
    runLane(job, turns, 0, &afterWrite);
    helper.join();
}

} // namespace age
