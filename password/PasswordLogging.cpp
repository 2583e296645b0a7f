#include "password/PasswordLogging.h"

Q_LOGGING_CATEGORY(lcPassword, "embercoffer.password", QtCriticalMsg)
