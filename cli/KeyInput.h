#pragma once
#include <QString>
#include <optional>

// The typed key, or why there is none.
struct KeyResult {
    std::optional<QString> key;
    QString error;
};

// The key in raw bytes from a file or standard input: one trailing newline is dropped,
// the rest must be UTF-8 and not empty.
KeyResult keyFromBytes(const QByteArray &bytes);
KeyResult readKeyFile(const QString &path);
KeyResult readKeyStdin();

// Asks on the terminal without echo; `confirm` asks a second time and requires the same.
KeyResult askKeyOnTerminal(bool confirm);
