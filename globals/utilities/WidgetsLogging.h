#pragma once
#include <QLoggingCategory>

// The widget utilities' messages, category "embercoffer.widgets": which fonts stand in for
// the ones the forms name, and a default font replaced. Silent unless switched on
// (QT_LOGGING_RULES="embercoffer.widgets.info=true").
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
