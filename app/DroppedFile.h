#pragma once
#include <QStringList>

class QMimeData;

// The local paths carried by a drag from the desktop or a file manager, files and folders, in
// the order given; empty when it carries anything else (a web address, for example).
QStringList droppedPaths(const QMimeData *data);
