#pragma once

class QString;

// Two passwords match when they are equal code unit for code unit or, when case is ignored,
// once both are upper-cased by the user's locale.
bool passwordsMatch(const QString &first, const QString &second, bool caseSensitive);
