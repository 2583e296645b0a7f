#pragma once
#include <QString>

// Why `path` cannot be read as a file without risk of blocking, or an empty text: a FIFO, a
// socket or a device (opening a FIFO waits for a writer). Looked at without opening it.
QString specialFileProblem(const QString &path);
