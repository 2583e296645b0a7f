#pragma once
#include "platform/com/Guid.h"
#include "platform/com/PlatformComExport.h"
#include "platform/com/PropertyValues.h"

#include <QString>

#include <vector>

/// One control of a saved form: its name on the form, its class and its saved properties.
/// @since 3.5
struct PLATFORMCOM_EXPORT SavedControl {
    QString name;
    CLSID clsid;
    PropertyValues properties;
};

/// The text in which a form's controls are saved, one block per control:
///
///   Begin {class id} name
///       PropertyName: Type value
///   End
///
/// where Type is Empty, Bool, I2, I4 or String and strings are quoted with backslash escapes.
/// @since 3.5
PLATFORMCOM_EXPORT QString writeSavedForm(const std::vector<SavedControl> &controls);

/// Reads a saved form. Malformed text gives false and a message naming the line; `controls`
/// is then left as it was.
/// @since 3.5
PLATFORMCOM_EXPORT bool readSavedForm(const QString &text, std::vector<SavedControl> *controls,
                                      QString *error);
