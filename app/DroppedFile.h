#pragma once
#include <QString>
#include <optional>

class QMimeData;

// The local file path carried by a drag from the desktop or a file manager: the first URL
// when it is a local path that is not a folder; nothing otherwise.
std::optional<QString> droppedFilePath(const QMimeData *data);
