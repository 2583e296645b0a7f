#include "app/registry/ASRegistryError.h"

ASRegistryError::ASRegistryError(int number, const QString &message)
    : std::runtime_error(message.toStdString()), m_number(number)
{
}
