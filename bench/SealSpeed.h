#pragma once
#include <cstdint>

// Seconds that one thread takes to seal `bytes` in 64 KiB chunks held in the processor's
// cache: the cryptography alone, without reading or writing. Twice its speed is the most
// that two processors could reach, whatever the pipeline around it. Negative when the cipher
// failed.
double sealSeconds(std::uint64_t bytes);
