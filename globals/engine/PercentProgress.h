#pragma once
#include <cstdint>
#include <functional>

// Turns byte counts into whole percentages for the progress events: each value is
// raised at most once, never lower than the one before, and 100 only when finished.
class PercentProgress {
public:
    PercentProgress(std::uint64_t total, std::function<void(std::int16_t)> raise);
    void report(std::uint64_t done);
    void finish();

private:
    void raiseIfNew(std::int16_t percent);

    std::uint64_t m_total;
    std::function<void(std::int16_t)> m_raise;
    int m_last = -1;
};
