#pragma once
#include <QColor>
#include <QString>

// How the About box's web link looks, and how a pointer move changes that.
struct LinkLook {
    QColor colour;
    bool underlined = false;

    // Dark blue, not underlined: how the link looks whenever the box loads.
    static LinkLook normal();
    // Blue and underlined: the pointer has come over the link.
    static LinkLook highlighted();
};

bool operator==(const LinkLook &a, const LinkLook &b);

// The link's look after the pointer moved over the control named `controlName` (empty for
// the box's own background). Over the link it is highlighted; over the second rights line
// nothing changes; anywhere else it goes back to normal. Only the underline tells which
// state the link is in.
LinkLook lookAfterPointerMove(const LinkLook &current, const QString &controlName);
