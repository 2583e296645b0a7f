#pragma once
#include "platform/core/VBool.h"

#include <QString>

#include <cstdint>

// The instance state of one VTPassword, in declaration order. A freshly created instance
// holds zero, False and empty texts; the defaults of a newly placed control are applied by
// InitNew. The dialog methods read these fields and write `cancelled`, `validated` and
// `password` directly.
struct VTPasswordFields {
    std::int32_t minLength = 0;
    std::int32_t maxLength = 0; // 0 allows any length
    VBool caseSensitive = VFalse;
    QString dialogTitleGetPassword;
    QString dialogTitleCreatePassword;
    QString dialogTitleChangePassword;
    VBool validated = VFalse;
    VBool cancelled = VFalse;
    std::int32_t size = 0; // VantrelPasswordDialogSizes; any value is kept
    VBool activeButtons = VFalse;
    VBool useImages = VFalse;
    QString password; // read and written as both Password and DBPassword
    QString captionChangeOldPwd;
    QString captionChangeNewPwd;
    QString captionChangeCfmPwd;
    QString captionCreateEntPwd;
    QString captionCreateCfmPwd;
    QString captionGetPassword;
    QString captionOK;
    QString captionCancel;
};

// Re-entry guards of the two password writes: a write of the same property made while its
// own write runs (by a container reacting to a notification) returns at once.
struct VTPasswordGuards {
    bool password = false;
    bool dbPassword = false;
};
