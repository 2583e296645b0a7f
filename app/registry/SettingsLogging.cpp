#include "app/registry/SettingsLogging.h"

Q_LOGGING_CATEGORY(lcSettings, "embercoffer.settings", QtCriticalMsg)
