#pragma once
#include "globals/VantrelGlobalsExport.h"

namespace age {

// Starts the cryptography library once per process, for every user of the engine: it then
// picks the fastest implementations this processor allows (scrypt's among them). Throws
// std::runtime_error when the library cannot start.
VANTRELGLOBALS_EXPORT void startCrypto();

} // namespace age
