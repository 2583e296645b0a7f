#pragma once
#include <QString>

// The About window's version line for a four-part program version: "Version " and the
// first three parts, "1.65.0.0" -> "Version 1.65.0". Missing parts count as 0.
QString aboutVersionText(const QString &programVersion);
