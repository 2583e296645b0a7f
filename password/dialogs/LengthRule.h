#pragma once

#include <QString>
#include <optional>

// The length rule every OK check applies to one entry, and the message that reports a breach.

// Which entry is measured; it names the entry in the message.
enum class EntryRole { Password, Confirmation, OldPassword };

struct LengthMessage {
    QString title;
    QString text;
};

// Too short when under the minimum; otherwise too long when the maximum is above 0 and the
// entry is longer. No message when the entry passes.
std::optional<LengthMessage> lengthMessage(EntryRole role, qsizetype length, qint32 minimum,
                                           qint32 maximum);
