#pragma once
#include "globals/VantrelGlobalsWidgetsExport.h"

#include <QFont>

#include <optional>

// The font that stands in for `font` when the system draws it with a fixed-pitch face (a
// minimal system whose only fonts are the Liberation family resolves "Sans Serif" to
// Liberation Mono): the same size and style in a proportional sans-serif family, Liberation
// Sans first. Nothing when `font` is drawn proportionally already, or no proportional sans
// face is installed.
VANTRELGLOBALSWIDGETS_EXPORT std::optional<QFont> proportionalStandIn(const QFont &font);

// Gives the application the stand-in of its default font, if it needs one, so that message
// boxes and file dialogs are not drawn in a monospace face. Logs the change under
// "embercoffer.widgets". Call it once the QApplication exists.
VANTRELGLOBALSWIDGETS_EXPORT void useProportionalApplicationFont();
