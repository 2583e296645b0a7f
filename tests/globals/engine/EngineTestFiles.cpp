#include "tests/globals/engine/EngineTestFiles.h"

#include <QDir>
#include <QFile>
#include <sodium.h>

QByteArray randomContent(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    randombytes_buf(bytes.data(), std::size_t(bytes.size()));
    return bytes;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
