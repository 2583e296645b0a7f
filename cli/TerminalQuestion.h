#pragma once
#include <QString>

// Whether the user can be asked: standard input is a terminal.
bool canAskOnTerminal();

// Asks `question` on the terminal and reads one line: true only for "y" or "yes" (any case).
bool askYesOnTerminal(const QString &question);
