#include "globals/engine/AgeFailure.h"

#include <cstring>

namespace age {

Failure Failure::system(const std::string &name, int error)
{
    return io(name + ": " + std::strerror(error));
}

std::string Failure::message() const
{
    const std::string at = std::to_string(offset);
    switch (kind) {
    case FailureKind::None:
        return {};
    case FailureKind::NotAgeFile:
        return "not an .ECX file";
    case FailureKind::UnsupportedVersion:
        return "unsupported .ECX file version";
    case FailureKind::MalformedHeader:
        return "damaged header: " + detail;
    case FailureKind::WorkFactorTooLarge:
        return "work factor too large: " + detail;
    case FailureKind::NoMatch:
        return "wrong key or damaged header";
    case FailureKind::HeaderMac:
        return "damaged header: its MAC does not match";
    case FailureKind::PayloadDamaged:
        return "file damaged at offset " + at;
    case FailureKind::PayloadTruncated:
        return "file truncated at offset " + at;
    case FailureKind::TrailingData:
        return "file damaged: data after its end at offset " + at;
    case FailureKind::Io:
        return detail;
    }
    return detail;
}

} // namespace age
