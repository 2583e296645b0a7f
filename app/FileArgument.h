#pragma once
#include <QString>
#include <QStringList>

// What the program's command-line arguments ask for: nothing, one file for the File tab's
// encrypt or decrypt frame, or a problem to tell the user about. Decided without a window,
// so that the rules are tested apart from it.
struct FileArgument {
    enum class Frame { None, Encrypt, Decrypt };

    Frame frame = Frame::None;
    // The file's absolute path, for the frame's file box.
    QString path;
    // A message for the user when the arguments name no usable file.
    QString problem;
};

// One existing file goes to the decrypt frame when it is encrypted (see isEncryptedFile) and
// to the encrypt frame otherwise. Several arguments, a folder or a missing file give a problem.
FileArgument fileArgument(const QStringList &arguments);

// An .ECX file by name (any letter case), or any file that starts with the age header line or,
// after white space, with the begin line of an armored age file.
bool isEncryptedFile(const QString &path);
