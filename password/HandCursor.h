#pragma once
#include <QCursor>

// The pointing hand shown over the About box's web link: 32 x 32, black and white, with its
// hot spot at the tip of the index finger.
QCursor handCursor();
