#include "platform/ui/UiLogging.h"

Q_LOGGING_CATEGORY(lcUi, "embercoffer.ui", QtCriticalMsg)
