#include "PercentProgress.h"

#include <algorithm>

PercentProgress::PercentProgress(std::uint64_t total, std::function<void(std::int16_t)> raise)
    : total_(total), raise_(std::move(raise))
{
}

void PercentProgress::report(std::uint64_t done)
{
    // 99 at most until the result is in place: a file that grew while being read stays below 100.
    const auto percent = total_ == 0 ? 0 : std::min<unsigned __int128>(99, (unsigned __int128)done * 100 / total_);
    raiseIfNew(std::int16_t(percent));
}

void PercentProgress::finish()
{
    raiseIfNew(100);
}

void PercentProgress::raiseIfNew(std::int16_t percent)
{
    if (percent <= last_)
        return;
    last_ = percent;
    raise_(percent);
}
