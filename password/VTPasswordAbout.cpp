// The About member: the library's About box, shown modally without an owner window.
#include "VTPassword.h"

#include "AboutBox.h"

HRESULT VTPassword::About()
{
    AboutBox::showShared();
    return S_OK;
}
