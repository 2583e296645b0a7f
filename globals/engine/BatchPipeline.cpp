#include "BatchPipeline.h"

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
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return readEnded_ || nextRead_ == k; });
        return !readEnded_;
    }
    void readDone(bool more)
    {
        std::lock_guard lock(mutex_);
        ++nextRead_;
        readEnded_ = readEnded_ || !more;
        changed_.notify_all();
    }
    // Waits until batch `k` may write; false when the run has stopped.
    bool awaitWrite(std::uint64_t k)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || nextWrite_ == k; });
        return !stopped_;
    }
    void writeDone(bool goOn)
    {
        std::lock_guard lock(mutex_);
        ++nextWrite_;
        if (!goOn)
            stopped_ = readEnded_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t nextRead_ = 0, nextWrite_ = 0;
    bool readEnded_ = false, stopped_ = false;
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
