#include "globals/engine/CryptoStart.h"

#include <sodium.h>
#include <stdexcept>

namespace age {

void startCrypto()
{
    // sodium_init() is safe to call from several threads and does its work only once.
    static const bool started = sodium_init() >= 0;
    if (!started)
        throw std::runtime_error("the cryptography library could not start");
}

} // namespace age
