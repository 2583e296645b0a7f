#pragma once
#include <QByteArray>
#include <QString>

// Text in the system's bytes (file names, messages that quote them) made safe to print:
// UTF-8 passes unchanged, while bytes that are not UTF-8 and control characters are shown
// as \xNN, so that every name can be told apart and no name can move the cursor.
QString printable(const QByteArray &bytes);
