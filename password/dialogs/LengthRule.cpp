#include "password/dialogs/LengthRule.h"

namespace {

struct RoleWords {
    const char *title; // as it starts the message title
    const char *text;  // as it appears inside the message text
};

RoleWords wordsFor(EntryRole role)
{
    switch (role) {
    case EntryRole::Confirmation:
        return {"Confirmation Password", "confirmation password"};
    case EntryRole::OldPassword:
        return {"Old Password", "old password"};
    case EntryRole::Password:
        break;
    }
    return {"Password", "password"};
}

// What was wrong with the length: as titled, as written in the text, and the bound it broke.
struct Breach {
    const char *title;
    const char *text;
    const char *bound;
};

constexpr Breach tooShort{"Short", "short", "least"};
constexpr Breach tooLong{"Long", "long", "most"};

LengthMessage message(EntryRole role, const Breach &breach, qint32 limit)
{
    const RoleWords words = wordsFor(role);
    return {
        QStringLiteral("%1 Too %2").arg(QLatin1String(words.title), QLatin1String(breach.title)),
        QStringLiteral("The %1 you entered is too %2.  The password must be at %3 ")
                .arg(QLatin1String(words.text), QLatin1String(breach.text),
                     QLatin1String(breach.bound)) +
            QString::number(limit) + QStringLiteral(" long.")};
}

} // namespace

std::optional<LengthMessage> lengthMessage(EntryRole role, qsizetype length, qint32 minimum,
                                           qint32 maximum)
{
    if (length < minimum)
        return message(role, tooShort, minimum);
    if (maximum > 0 && length > maximum)
        return message(role, tooLong, maximum);
    return std::nullopt;
}
