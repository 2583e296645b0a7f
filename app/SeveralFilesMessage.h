#pragma once
#include <QString>

#include "platform/ui/MessageBox.h"

namespace batch {
struct BatchSummary;
enum class Action;
enum class Packing;
} // namespace batch

// The one message at the end of a run of several files: what was done, and in the details what
// was skipped or failed and why, one line a file.
struct SeveralFilesMessage {
    QString text;
    QString title;
    platform::MessageIcon icon;
    QString details;
};

// "Encrypted 11 of 12 files." and the like, counted against the `planned` files (a stopped run
// did not reach them all); an archive given back says where its folder is and that it was
// extracted safely.
SeveralFilesMessage severalFilesMessage(batch::Action action, batch::Packing packing,
                                        const batch::BatchSummary &summary, std::size_t planned);

// The question before a folder is encrypted: "Encrypt the folder photos (1,204 files, 3.1 GB)
// as one archive, photos.tar.ECX, or each file on its own?"
QString folderQuestion(const QString &folder, std::size_t files, quint64 bytes);
