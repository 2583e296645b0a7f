#pragma once
#include "globals/VantrelGlobalsWidgetsExport.h"

#include <QString>

// Desktop services the About boxes need: opening an address, where the library's files are,
// and how many colours the display shows. One object per thread, created on first use.
class VANTRELGLOBALSWIDGETS_EXPORT GeneralUtility {
public:
    static GeneralUtility &forThisThread();

    // Opens a web address or file with the desktop's handler; true when it was handed over.
    bool openAddress(const QString &address) const;

    // The directory that holds this library's own file (no trailing separator).
    QString libraryDirectory() const;

    // Colours the primary screen can show (2 to the power of its depth); 0 without a screen.
    double colourCount() const;

private:
    GeneralUtility() = default;
};
