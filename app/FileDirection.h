#pragma once
#include <QString>
#include <optional>

#include "globals/batch/BatchOptions.h"
#include "platform/core/VBool.h"

class EncDec;

// Everything in which the encrypt and the decrypt frame of the File tab differ: control
// names, texts, messages, the engine operation and the output naming. One table row drives
// one frame; the two rows are encryptDirection() and decryptDirection().
struct FileDirection {
    using Operation = VBool (EncDec::*)(const QString &, const QString &, const QString &);
    using OutputName = std::optional<QString> (*)(const QString &source);

    struct Names {
        const char *frame;
        const char *keyLabel;
        const char *keyBox;
        const char *fileLabel;
        const char *fileBox;
        const char *browseButton;
        const char *deleteBox;
        const char *actionButton;
    } names;

    struct Texts {
        QString frame;
        QString keyLabel;
        QString fileLabel;
        QString deleteBox;
        QString actionButton;
        QString browseTitle;
        QString browseFilter;
    } texts;

    struct Messages {
        QString emptyKey;
        QString emptyFile;
        QString done;
        QString failed;
    } messages;

    // Where the frame sits in the tab control, and its delete box in the frame (twips).
    int frameTop;
    int deleteBoxTop;
    // The action button's resting and hover images (resource paths).
    QString actionImage;
    QString actionHoverImage;

    Operation operation;
    // The output path for a source path; empty optional when none can be formed.
    OutputName outputNameFor;
    // Whether a new output must be proven decryptable before its source may be deleted.
    bool verifyOutputBeforeDelete;
    // What the frame does to several files and folders.
    batch::Action batchAction;

    // Whether `path` is an archive that the frame gives back as its folder (NAME.tar.ECX), which
    // takes the run of several files even when it is the only file.
    bool extractsArchive(const QString &path) const
    {
        return batchAction == batch::Action::Decrypt &&
               path.endsWith(QLatin1String(".tar.ecx"), Qt::CaseInsensitive);
    }
};

const FileDirection &encryptDirection();
const FileDirection &decryptDirection();
