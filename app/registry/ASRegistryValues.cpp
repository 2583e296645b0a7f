#include "app/registry/ASRegistryValues.h"

ASRegistryValues::Entry ASRegistryValues::Add(const QString &ValueName, const QVariant &ValueData,
                                              qint32 DataType, const QString &sKey)
{
    auto item = std::make_shared<ASRegistryValue>();
    item->ValueName = ValueName;
    item->ValueData = ValueData;
    item->DataType = DataType;
    return insert(item, sKey);
}
