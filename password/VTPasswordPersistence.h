#pragma once
#include "password/VTPasswordFields.h"
#include "platform/com/HResult.h"
#include "platform/com/PersistPropertyBag.h"

// How a VTPassword's fields are kept in the host form's property bag: 21 names, written and
// read in one fixed order, each with its default.

// The defaults of a newly placed control, as plain stores.
void initProperties(VTPasswordFields &fields);
// Loads the saved values. A value that cannot be read or converted to its field's type is
// skipped and its field keeps what it held. "DBPassword" is read but not applied.
void readProperties(VTPasswordFields &fields, IPropertyBag &bag);
// Saves every field under its name with its default; the first failing write stops the
// sequence and is returned.
HRESULT writeProperties(const VTPasswordFields &fields, IPropertyBag &bag);
