#include "app/FileArgument.h"

#include <QFile>
#include <QFileInfo>

#include "app/SpecialFile.h"
#include "globals/engine/Armor.h"

namespace {

// The first bytes of every binary age file, .ECX files included.
constexpr QByteArrayView ageHeader = "age-encryption.org/v1";
// An armored age file starts with its begin line, after any white space.
const QByteArrayView armorHeader(age::armorBegin.data(), qsizetype(age::armorBegin.size()));
constexpr qsizetype whiteSpaceLooked = 64;

bool startsLikeAgeFile(const QByteArray &start)
{
    return start.startsWith(ageHeader) || start.trimmed().startsWith(armorHeader);
}

FileArgument problem(const QString &text) { return {FileArgument::Frame::None, {}, text}; }

} // namespace

bool isEncryptedFile(const QString &path)
{
    if (path.endsWith(QLatin1String(".ecx"), Qt::CaseInsensitive))
        return true;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) &&
           startsLikeAgeFile(file.read(whiteSpaceLooked + armorHeader.size()));
}

FileArgument fileArgument(const QStringList &paths, FileArgument::Frame chosen)
{
    FileArgument argument{chosen, {}, {}};
    bool allEncrypted = true;
    for (const QString &given : paths) {
        const QFileInfo file(given);
        const QString path = file.absoluteFilePath();
        if (!file.exists())
            return problem(QStringLiteral("The file %1 does not exist.").arg(path));
        if (const QString special = specialFileProblem(path); !special.isEmpty())
            return problem(special);
        allEncrypted = allEncrypted && !file.isDir() && isEncryptedFile(path);
        argument.paths << path;
    }
    if (argument.frame == FileArgument::Frame::None && !paths.isEmpty())
        argument.frame = allEncrypted ? FileArgument::Frame::Decrypt : FileArgument::Frame::Encrypt;
    return argument;
}
