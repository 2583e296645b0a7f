// The About box of the control library. Until it is part of the library the call reports
// that it is not available.
#include "VTPassword.h"

HRESULT VTPassword::About()
{
    return E_NOTIMPL;
}
