#pragma once
#include <QString>
#include <QVariant>

// One value found by ASRegistry::ListValues: its name, its data as text and its type
// (1 string, 3 binary, 4 32-bit number).
class ASRegistryValue {
public:
    QString ValueName;
    QVariant ValueData;
    qint32 DataType = 0;
};
