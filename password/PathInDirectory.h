#pragma once
#include <QString>

// `fileName` inside `directory`, joined with this platform's separator (a backslash on
// Windows) and never doubling one the directory already ends in; empty when there is no
// directory, so that an empty setting never names a file in the current folder.
QString pathInDirectory(const QString &directory, const QString &fileName);
