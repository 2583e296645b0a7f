#pragma once
#include "app/FileArgument.h"

#include <QStringList>

#include <memory>

class frmMain;

// The program's start-up, in order: the window is built (the load step), a stored application
// password is asked for (the initialisation step), the window is shown centred, and the files
// and folders in `paths` are put into the File tab's encrypt or decrypt frame (`frame`, or as
// fileArgument() decides) with the focus in that frame's key box (paths it cannot use are
// explained in a message box). Returns
// the shown window, or null when start-up ended without one: after an error, reported in a
// message box and on standard error, or after a wrong password, when the program has been
// told to end.
std::unique_ptr<frmMain> startUp(const QStringList &paths = {},
                                 FileArgument::Frame frame = FileArgument::Frame::None);
