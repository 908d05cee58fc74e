#pragma once

#include <QString>

// Who works at this terminal: its name (the machine's when none is given) and the operator's
// code. The store keeps both with every change; a new reservation carries the code.
void UseWorkstation(const QString& terminal, const QString& operatorCode);

// The most characters a reservation keeps of the operator's code.
constexpr int OperatorCodeLength = 12;
QString TerminalName();
QString OperatorCode();
