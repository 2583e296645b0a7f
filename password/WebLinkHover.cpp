#include "password/WebLinkHover.h"

LinkLook LinkLook::normal() { return {QColor(0, 0, 128), false}; }

LinkLook LinkLook::highlighted() { return {QColor(0, 0, 255), true}; }

bool operator==(const LinkLook &a, const LinkLook &b)
{
    return a.colour == b.colour && a.underlined == b.underlined;
}

LinkLook lookAfterPointerMove(const LinkLook &current, const QString &controlName)
{
    if (controlName == QLatin1String("lblCopyright2"))
        return current;
    if (controlName == QLatin1String("lblWebLink"))
        return current.underlined ? current : LinkLook::highlighted();
    return current.underlined ? LinkLook::normal() : current;
}
