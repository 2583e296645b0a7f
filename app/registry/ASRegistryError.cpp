#include "ASRegistryError.h"

ASRegistryError::ASRegistryError(int number, const QString &message)
    : std::runtime_error(message.toStdString()), number_(number)
{
}
