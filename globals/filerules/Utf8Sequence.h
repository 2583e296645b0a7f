#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <QByteArray>

// The length of the well-formed UTF-8 character that starts at `at` in `bytes` (1 to 4), or 0
// when none starts there (a stray, overlong, surrogate or cut-off sequence).
VANTRELGLOBALS_EXPORT qsizetype utf8SequenceLength(const QByteArray &bytes, qsizetype at);
