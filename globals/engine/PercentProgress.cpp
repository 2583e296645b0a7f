#include "globals/engine/PercentProgress.h"

#include <algorithm>

PercentProgress::PercentProgress(std::uint64_t total, std::function<void(std::int16_t)> raise)
    : m_total(total), m_raise(std::move(raise))
{
}

void PercentProgress::report(std::uint64_t done)
{
    // 99 at most until the result is in place: a file that grew while being read stays below 100.
    const auto percent =
        m_total == 0 ? 0 : std::min<unsigned __int128>(99, (unsigned __int128)done * 100 / m_total);
    raiseIfNew(std::int16_t(percent));
}

void PercentProgress::finish() { raiseIfNew(100); }

void PercentProgress::raiseIfNew(std::int16_t percent)
{
    if (percent <= m_last)
        return;
    m_last = percent;
    m_raise(percent);
}
