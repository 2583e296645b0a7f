#pragma once
#include <QString>

class QWidget;

// Where the system information tool is: the path registered for it, taken as it stands, or
// else its program file in the registered tools folder when that file exists. Empty when
// neither gives a path.
QString systemInformationToolPath();

// Starts the system information tool with a normal, activated window, or tells the user
// (over `owner`) that it is unavailable when it cannot be found or started.
void StartSysInfo(QWidget *owner);
