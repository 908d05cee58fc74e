#include "workstation.h"

#include "framework/datetime.h"
#include "reservas/store.h"
#include "reservationcolumns.h"

#include <QMutex>
#include <QStringList>
#include <QSysInfo>
#include <QVariant>

namespace Reservas {

namespace {

// Set by the program's thread, read by the database's.
QMutex whoLock;
Workstation who;

QString columnName(std::string_view name) {
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

} // namespace

void SetWorkstation(const QString& terminal, const QString& operatorCode) {
    const QMutexLocker locked(&whoLock);
    who = {terminal, operatorCode};
}

Workstation CurrentWorkstation() {
    const QMutexLocker locked(&whoLock);
    return {who.Terminal.isEmpty() ? QSysInfo::machineHostName() : who.Terminal, who.Operator};
}

void BindWorkstation(QSqlQuery& query) {
    const Workstation current = CurrentWorkstation();
    const QString moment =
        Sysutils::DecodeDateTime(Sysutils::Now()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QString values[] = {current.Operator, current.Terminal, moment};
    for (std::size_t at = 0; at < WhoColumns.size(); ++at) {
        query.bindValue(QLatin1Char(':') + columnName(WhoColumns[at]), values[at]);
    }
}

QString WorkstationAssignments() {
    QStringList assignments;
    for (const std::string_view name : WhoColumns) {
        assignments << columnName(name) + QStringLiteral(" = :") + columnName(name);
    }
    return assignments.join(QStringLiteral(", "));
}

} // namespace Reservas
