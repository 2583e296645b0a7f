#pragma once
#include <functional>
#include <new>
#include <stdexcept>

#include "globals/engine/AgeFailure.h"

namespace batch {

// Runs `work`; what it throws (memory running out, for example) becomes the failure of the one
// file it was working on instead of ending the run.
inline age::Failure guarded(const std::function<age::Failure()> &work)
{
    try {
        return work();
    } catch (const std::bad_alloc &) {
        return age::Failure::io("not enough memory");
    } catch (const std::exception &error) {
        return age::Failure::io(error.what());
    }
}

} // namespace batch
