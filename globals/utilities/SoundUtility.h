#pragma once
#include "globals/VantrelGlobalsWidgetsExport.h"

class QString;

// Plays a sound file with the desktop's command-line player (paplay, else aplay, whichever is
// found on the PATH first), without waiting for it to finish. A missing file or a missing
// player plays nothing. One object per thread, created on first use.
class VANTRELGLOBALSWIDGETS_EXPORT SoundUtility {
public:
    static SoundUtility &forThisThread();

    // True when a player was started for the file.
    bool play(const QString &path) const;

private:
    SoundUtility() = default;
};
