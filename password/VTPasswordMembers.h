#pragma once
#include "DispatchTable.h"
#include "IVTPassword.h"

// The member table of _VTPassword, in slot order: what Invoke and names-to-ids serve and
// what the type library describes.
const DispatchTable<IVTPassword> &vtPasswordMembers();
