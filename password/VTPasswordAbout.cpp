// The About member: the library's About box, shown modally without an owner window.
#include "password/VTPassword.h"

#include "password/AboutBox.h"

HRESULT VTPassword::About()
{
    AboutBox::showShared();
    return S_OK;
}
