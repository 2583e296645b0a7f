#pragma once
#include <QLoggingCategory>

// The program's own messages, category "embercoffer.app": what fails without the user
// needing to know, such as registering the password control for other programs. Silent
// unless switched on (QT_LOGGING_RULES="embercoffer.app.warning=true").
Q_DECLARE_LOGGING_CATEGORY(lcApp)
