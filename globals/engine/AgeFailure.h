#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstdint>
#include <string>

namespace age {

// Why reading or writing an age file stopped. The groups follow what a caller can tell
// the user: the header is unreadable, the key does not open it, the payload is damaged.
enum class FailureKind {
    None,
    NotAgeFile,         // no age version line at the start
    UnsupportedVersion, // an age version other than v1
    MalformedHeader,    // the header breaks the format's grammar or a stanza's rules
    WorkFactorTooLarge, // scrypt work factor above the accepted limit
    NoMatch,            // no stanza opens with the given key or identities
    HeaderMac,          // the file key opened but the header MAC does not match
    PayloadDamaged,     // a chunk does not authenticate
    PayloadTruncated,   // the payload ends before its final chunk
    TrailingData,       // bytes follow the final chunk
    Io,                 // reading or writing failed; detail holds the system's message
};

// Every function that returns one is to be checked, so the type itself says so.
struct [[nodiscard]] Failure {
    FailureKind kind = FailureKind::None;
    std::string detail;
    std::uint64_t offset = 0; // file offset for payload failures

    explicit operator bool() const { return kind != FailureKind::None; }
    // One line for the user, e.g. "file damaged at offset 65562".
    VANTRELGLOBALS_EXPORT std::string message() const;

    static Failure io(std::string detail) { return {FailureKind::Io, std::move(detail), 0}; }
    // "NAME: the system's message for ERROR" (an errno value).
    static Failure system(const std::string &name, int error);
    static Failure header(std::string detail)
    {
        return {FailureKind::MalformedHeader, std::move(detail), 0};
    }
};

} // namespace age
