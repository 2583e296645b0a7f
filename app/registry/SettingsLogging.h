#pragma once
#include <QLoggingCategory>

// The registry access classes' messages, category "embercoffer.settings": a settings store
// that could not be read where the answer looks like "not there" to the caller. Silent unless
// switched on (QT_LOGGING_RULES="embercoffer.settings.warning=true").
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
