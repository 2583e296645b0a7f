#pragma once
#include "platform/ui/PlatformUiExport.h"
#include <QString>

class QLabel;
class QWidget;

namespace platform {

// The name assistive technology reads for a control from the visible text that labels it:
// access-key marks removed ("&&" stays one "&"), then a trailing colon or ellipsis and the
// blanks around the text dropped. "Confir&m Password:" names its box "Confirm Password".
PLATFORMUI_EXPORT QString accessibleNameFrom(const QString &visibleText);

// Pairs `label` with the control it stands beside: the label's access key moves the focus to
// `control`, and `control` is named after the label's text. The label's text is unchanged.
PLATFORMUI_EXPORT void labelControl(QLabel &label, QWidget &control);

} // namespace platform
