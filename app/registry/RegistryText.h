#pragma once
#include "platform/registry/winreg.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <vector>

// How the registry classes turn text into stored bytes and back. The ANSI code page here is
// UTF-8, so every character a user types survives the trip.

// The text's ANSI bytes; `text` itself becomes its own round trip through the code page
// (only characters the code page cannot hold, such as a lone surrogate, change).
QByteArray toAnsi(QString &text);

// Binary data from text: one byte per character, the character's code (U+0000 to U+00FF, so
// that every byte value has its character). Raises ASRegistryError for an empty text, one
// longer than 32767 characters, or a character beyond U+00FF.
QByteArray binaryFromText(const QString &text);

// A 32-bit number from its decimal text (blanks around it allowed). Raises ASRegistryError
// for anything else or a number out of range.
qint32 numberFromText(const QString &text);

// The text of a stored value: a string without its terminator, binary data one character per
// byte, a number in decimal; the empty variant for any other type.
QVariant textFromValue(DWORD type, const std::vector<BYTE> &data);
