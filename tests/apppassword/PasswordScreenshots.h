#pragma once
#include <QString>

#include <functional>

class QDir;
class QWidget;

using SaveWindow = std::function<bool(QWidget *, const QString &)>;

// Not a test: runs the real start-up with a password stored in a temporary registry and saves
// the get-password prompt (startup-password-prompt.png) and the Password tab showing the
// stored password (password-tab-stored.png) into `folder`, each through `saveWindow`.
// The registry variable is set back to what it was. True when both were saved.
bool savePasswordScreenshots(const QDir &folder, const SaveWindow &saveWindow);
