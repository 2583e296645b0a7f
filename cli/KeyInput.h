#pragma once
#include <QString>
#include <optional>

// The typed key, or why there is none.
struct KeyResult {
    std::optional<QString> key;
    QString error;
};

// The key in raw bytes from a file or standard input: one trailing "\n" or "\r\n" is
// dropped, the rest must be UTF-8 and not empty; every character counts, a byte order mark too.
KeyResult keyFromBytes(const QByteArray &bytes);
KeyResult readKeyFile(const QByteArray &path);
// Standard input; when it is a terminal the key is asked there without echo.
KeyResult readKeyStdin(bool confirm);

// Asks on the terminal without echo; `confirm` asks a second time and requires the same.
KeyResult askKeyOnTerminal(bool confirm);
