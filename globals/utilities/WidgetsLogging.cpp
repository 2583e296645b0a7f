#include "globals/utilities/WidgetsLogging.h"

Q_LOGGING_CATEGORY(lcWidgets, "embercoffer.widgets", QtCriticalMsg)
