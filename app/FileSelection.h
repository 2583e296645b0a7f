#pragma once
#include <QString>
#include <QStringList>

// What a frame's file box shows when it holds several paths or a folder: how many files and
// folders were given, the given files' size and the first names, as in
// "12 files, 1.3 GB: IMG_0001.jpg, IMG_0002.jpg, …". Folders are named, not walked.
QString selectionSummary(const QStringList &paths);

// Every path, one a line: the file box's tool tip and accessible description.
QString selectionList(const QStringList &paths);

// Whether the paths make a run of several files rather than the single-file run: more than one
// path, or a folder.
bool isSeveralFiles(const QStringList &paths);
