#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstdint>
#include <functional>

#include "globals/engine/AgeFailure.h"
#include "globals/engine/Base64.h"

namespace age {

// A run of consecutive chunks travelling through the pipeline. Each lane has one, with a
// buffer of the size the job asks for that the job lays out as it likes.
struct Batch {
    Bytes buffer;
    std::size_t inSize = 0, outSize = 0;
    std::uint64_t firstChunk = 0; // index of the first chunk in the stream
    std::uint64_t inOffset = 0;   // stream offset of the batch's first input byte
    bool last = false;            // holds the stream's final chunk
    Failure failure;              // set by transform: write the output up to outSize and stop
};

// A job the pipeline drives: batches are read in order, transformed concurrently, and
// written in order.
class VANTRELGLOBALS_EXPORT BatchJob {
public:
    virtual ~BatchJob() = default;
    // The size of each lane's buffer.
    virtual std::size_t bufferSize() const = 0;
    // Fills the next batch; false when there is nothing more to read (or reading failed).
    virtual bool read(Batch &batch) = 0;
    // Seals or opens the batch; may run on any thread, for different batches at once.
    virtual void transform(Batch &batch) = 0;
    // Writes the batch; false stops the run.
    virtual bool write(Batch &batch) = 0;
};

// How many lanes suit this machine: one per processor, at least two so that reading and
// writing overlap sealing, at most four because reading and writing take turns.
VANTRELGLOBALS_EXPORT unsigned pipelineLanes();

// Runs `job` on `lanes` threads, the calling thread among them. Each lane takes every
// lanes-th batch: it reads the batch in its turn, transforms it while the other lanes read,
// transform or write theirs, and writes it in its turn, so batches leave in the order they
// came and memory stays at one buffer per lane. `afterWrite` runs on the calling thread
// only, after each batch that thread wrote, so that callers may raise events there. An
// exception from the job or from `afterWrite` stops every lane and is thrown again here once
// all lanes have ended.
VANTRELGLOBALS_EXPORT void runBatches(BatchJob &job, unsigned lanes,
                                      const std::function<void()> &afterWrite);

} // namespace age
