#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Small file helpers for the engine tests.
QByteArray randomContent(qsizetype size);
void writeFile(const QString &path, const QByteArray &content);
QByteArray readFile(const QString &path);
// Every entry of a folder, hidden ones included.
QStringList folderEntries(const QString &folder);
