#pragma once
#include "globals/VantrelGlobalsWidgetsExport.h"

// Registers metric-compatible stand-ins for the Windows font families that the forms of the
// program and of the password control name ("MS Sans Serif", "Tahoma", "Arial",
// "Times New Roman"), used where the system lacks them, so that every text fits the place its
// form gives it. Debian's Liberation fonts come first. Safe to call more than once.
VANTRELGLOBALSWIDGETS_EXPORT void registerFormFontSubstitutes();
