#include "app/FileArgument.h"

#include <QFile>
#include <QFileInfo>

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

FileArgument fileArgument(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return {};
    if (arguments.size() > 1)
        return problem(QStringLiteral("Ember Coffer opens one file at a time; %1 were given. "
                                      "Open them one after the other.")
                           .arg(arguments.size()));
    const QFileInfo file(arguments.front());
    const QString path = file.absoluteFilePath();
    if (!file.exists())
        return problem(QStringLiteral("The file %1 does not exist.").arg(path));
    if (file.isDir())
        return problem(QStringLiteral("%1 is a folder. Ember Coffer encrypts and decrypts "
                                      "single files: choose a file in it.")
                           .arg(path));
    const auto frame =
        isEncryptedFile(path) ? FileArgument::Frame::Decrypt : FileArgument::Frame::Encrypt;
    return {frame, path, {}};
}
