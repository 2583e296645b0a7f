#pragma once
#include <cstdint>
#include <functional>

#include "globals/engine/AgeFailure.h"
#include "globals/engine/Base64.h"

namespace age {

// A run of consecutive chunks travelling through the pipeline.
struct Batch {
    Bytes in, out;
    std::size_t inSize = 0, outSize = 0;
    std::uint64_t firstChunk = 0; // index of the first chunk in the stream
    std::uint64_t inOffset = 0;   // stream offset of in[0]
    bool last = false;            // holds the stream's final chunk
    Failure failure;              // set by transform: write out[0, outSize) and stop
};

// A job the pipeline drives: batches are read in order, transformed concurrently, and
// written in order.
class BatchJob {
public:
    virtual ~BatchJob() = default;
    // Fills the next batch; false when there is nothing more to read (or reading failed).
    virtual bool read(Batch &batch) = 0;
    // Seals or opens the batch; may run on any thread, for different batches at once.
    virtual void transform(Batch &batch) = 0;
    // Writes the batch; false stops the run.
    virtual bool write(Batch &batch) = 0;
};

// Runs `job` on the calling thread and one helper thread, so that one batch is sealed
// while the other is read or written. `afterWrite` runs on the calling thread only, after
// each batch that thread wrote, so that callers may raise events there.
void runBatches(BatchJob &job, const std::function<void()> &afterWrite);

} // namespace age
