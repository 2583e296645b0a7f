#pragma once
#include <QLoggingCategory>

// The component layer's messages, category "embercoffer.com": a registered library that
// cannot be found or loaded, a control that fails to draw. Silent unless switched on
// (QT_LOGGING_RULES="embercoffer.com.warning=true"): the callers get the status codes too.
Q_DECLARE_LOGGING_CATEGORY(lcCom)
