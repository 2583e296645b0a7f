// The three dialog methods. They show the get, create and change password dialogs; until
// the dialogs are part of the library each call reports that it is not available and
// leaves the control as it was.
#include "VTPassword.h"

HRESULT VTPassword::GetPassword(QString *result)
{
    if (!result)
        return E_POINTER;
    return E_NOTIMPL;
}

HRESULT VTPassword::CreatePassword(QString *result)
{
    if (!result)
        return E_POINTER;
    return E_NOTIMPL;
}

HRESULT VTPassword::ChangePassword(QString *result)
{
    if (!result)
        return E_POINTER;
    return E_NOTIMPL;
}
