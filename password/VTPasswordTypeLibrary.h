#pragma once
#include "platform/com/TypeInfo.h"

// The readable type library of VantrelPassword: the library, the VTPassword class with its
// earlier interface versions, the interfaces _VTPassword and __VTPassword and the
// enumeration VantrelPasswordDialogSizes.
const TypeLibraryDesc &vtPasswordTypeLibrary();
