#include "workstation.h"

#include "reservas/store.h"

#include <QSysInfo>

namespace {

QString terminalName;
QString operatorCode;

} // namespace

void UseWorkstation(const QString& terminal, const QString& operatorCodeGiven) {
    terminalName = terminal.isEmpty() ? QSysInfo::machineHostName() : terminal;
    operatorCode = operatorCodeGiven;
    Reservas::SetWorkstation(terminalName, operatorCode);
}

QString TerminalName() {
    return terminalName.isEmpty() ? QSysInfo::machineHostName() : terminalName;
}

QString OperatorCode() {
    return operatorCode;
}
