#pragma once

// True in a build with AddressSanitizer, whose runtime keeps freed memory in quarantine and
// exports its own symbols from every program: measurements of memory and of exported symbols
// then describe the sanitizer, not the code, and only the shipped build can be held to them.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool underSanitizers = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool underSanitizers = true;
#else
inline constexpr bool underSanitizers = false;
#endif
#else
inline constexpr bool underSanitizers = false;
#endif
