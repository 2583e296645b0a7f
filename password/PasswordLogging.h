#pragma once
#include <QLoggingCategory>

// The password control library's messages, category "embercoffer.password": which entry of
// the control's registration the settings store refused. Silent unless switched on
// (QT_LOGGING_RULES="embercoffer.password.warning=true"); the callers get the status codes.
Q_DECLARE_LOGGING_CATEGORY(lcPassword)
