#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstdint>

#include "globals/engine/AgeFailure.h"

namespace age {

// The memory scrypt sets aside at work factor 2^logN with r = 8: 1 KiB for each unit of N
// (256 MiB at 18, 4 GiB at 22).
VANTRELGLOBALS_EXPORT std::uint64_t scryptMemoryNeeded(int logN);

// The most memory this process could have: the machine's memory, lowered by the process's
// address-space and data limits.
VANTRELGLOBALS_EXPORT std::uint64_t memoryWithinReach();

// A failure naming both figures when the derivation plainly cannot fit; clear otherwise.
// Checked before anything is allocated, so a hostile work factor costs nothing here.
VANTRELGLOBALS_EXPORT Failure scryptMemoryCheck(int logN);

} // namespace age
