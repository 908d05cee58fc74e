#pragma once

#include <QString>

// Who works at this terminal: its name (the machine's when none is given) and the operator's
// code. The store keeps both with every change; a new reservation carries the code.
void UseWorkstation(const QString& terminal, const QString& operatorCode);
QString TerminalName();
QString OperatorCode();
