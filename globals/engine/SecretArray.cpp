#include "globals/engine/SecretArray.h"

#include <sodium.h>

namespace age {

void wipeSecret(void *data, std::size_t size) { sodium_memzero(data, size); }

} // namespace age
