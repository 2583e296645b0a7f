#pragma once
#include <QLoggingCategory>

// The user-interface services' messages, category "embercoffer.ui": an address, help file or
// program that the desktop would not open. Silent unless switched on
// (QT_LOGGING_RULES="embercoffer.ui.warning=true").
Q_DECLARE_LOGGING_CATEGORY(lcUi)
