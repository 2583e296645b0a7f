#pragma once
#include <QString>
#include <QStringList>

// What the program's command-line paths ask for: nothing, files and folders for the File
// tab's encrypt or decrypt frame, or a problem to tell the user about. Decided without a
// window, so that the rules are tested apart from it.
struct FileArgument {
    enum class Frame { None, Encrypt, Decrypt };

    Frame frame = Frame::None;
    // The absolute paths, for the frame's file box.
    QStringList paths;
    // A message for the user when the arguments name no usable file.
    QString problem;
};

// The paths go to `chosen` when a frame was chosen (--encrypt, --decrypt). Otherwise they go to
// the decrypt frame when every one is an encrypted file (see isEncryptedFile), and to the
// encrypt frame when any is not or is a folder. A missing path, or a FIFO, socket or device,
// gives a problem.
FileArgument fileArgument(const QStringList &paths, FileArgument::Frame chosen = {});

// An .ECX file by name (any letter case), or any file that starts with the age header line or,
// after white space, with the begin line of an armored age file.
bool isEncryptedFile(const QString &path);
