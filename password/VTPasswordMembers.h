#pragma once
#include "password/IVTPassword.h"
#include "platform/com/DispatchTable.h"

// The member table of _VTPassword, in slot order: what Invoke and names-to-ids serve and
// what the type library describes.
const DispatchTable<IVTPassword> &vtPasswordMembers();
