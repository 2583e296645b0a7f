// The pipeline with any number of lanes, whatever this machine would choose: batches leave in
// order, events stay on the calling thread, and a stop is honoured.
#include <gtest/gtest.h>

#include <mutex>
#include <numeric>
#include <stdexcept>
#include <thread>

#include "globals/engine/BatchPipeline.h"

using namespace age;

namespace {

// Numbers batches as it reads them, takes an uneven time over each, and records the order in
// which they are written.
class CountingJob final : public BatchJob {
public:
    CountingJob(std::uint64_t batches, std::uint64_t failingWrite,
                std::uint64_t throwingTransform = UINT64_MAX)
        : m_batches(batches), m_failingWrite(failingWrite), m_throwingTransform(throwingTransform)
    {
    }

    std::size_t bufferSize() const override { return 8; }
    bool read(Batch &batch) override
    {
        if (m_read == m_batches)
            return false;
        batch.firstChunk = m_read++;
        batch.last = m_read == m_batches;
        return true;
    }
    void transform(Batch &batch) override
    {
        std::this_thread::sleep_for(std::chrono::microseconds(batch.firstChunk * 37 % 300));
        if (batch.firstChunk == m_throwingTransform)
            throw std::runtime_error("transform failed");
    }
    bool write(Batch &batch) override
    {
        std::lock_guard lock(m_mutex);
        written.push_back(batch.firstChunk);
        return batch.firstChunk != m_failingWrite;
    }
    std::uint64_t batchesRead() const { return m_read; }

    std::vector<std::uint64_t> written;

private:
    const std::uint64_t m_batches, m_failingWrite, m_throwingTransform;
    std::uint64_t m_read = 0; // only the lane whose turn it is reads
    std::mutex m_mutex;
};

} // namespace

TEST(BatchPipeline, BatchesLeaveInOrderWithEventsOnTheCallingThread)
{
    for (unsigned lanes : {1u, 2u, 3u, 5u}) {
        CountingJob job(23, UINT64_MAX);
        std::vector<std::thread::id> eventThreads;
        runBatches(job, lanes, [&] { eventThreads.push_back(std::this_thread::get_id()); });
        std::vector<std::uint64_t> expected(23);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(job.written, expected) << lanes << " lanes";
        EXPECT_GE(eventThreads.size(), 23u / lanes) << lanes << " lanes";
        for (std::thread::id id : eventThreads)
            EXPECT_EQ(id, std::this_thread::get_id()) << lanes << " lanes";
    }
}

TEST(BatchPipeline, AFailedWriteStopsReadingAndWriting)
{
    for (unsigned lanes : {1u, 2u, 3u, 5u}) {
        CountingJob job(1000, 7);
        runBatches(job, lanes, [] {});
        std::vector<std::uint64_t> expected(8);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(job.written, expected) << lanes << " lanes";
        // Lanes may have read ahead, one batch each at most.
        EXPECT_LE(job.batchesRead(), 8u + lanes) << lanes << " lanes";
    }
}

TEST(BatchPipeline, AnExceptionInAnyLaneReachesTheCallerAfterEveryLaneStopped)
{
    for (unsigned lanes : {1u, 2u, 3u})
        for (std::uint64_t throwing : {0u, 1u, 2u}) {
            CountingJob job(1000, UINT64_MAX, throwing);
            EXPECT_THROW(runBatches(job, lanes, [] {}), std::runtime_error)
                << lanes << " lanes, batch " << throwing;
            EXPECT_LE(job.written.size(), throwing) << lanes << " lanes, batch " << throwing;
        }
}
