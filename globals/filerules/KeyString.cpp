#include "globals/filerules/KeyString.h"

QString keyStringFor(const QString &typedKey) { return QStringLiteral("Corvantide") + typedKey; }
