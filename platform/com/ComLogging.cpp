#include "platform/com/ComLogging.h"

Q_LOGGING_CATEGORY(lcCom, "embercoffer.com", QtCriticalMsg)
