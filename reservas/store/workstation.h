#pragma once

#include <QSqlQuery>
#include <QString>

namespace Reservas {

// Binds who writes, on which terminal and when to a statement's :CDOPERALTRES, :NMTERMALTRES
// and :DTHRALTRES (the columns WhoColumns names).
void BindWorkstation(QSqlQuery& query);

// "CDOPERALTRES = :CDOPERALTRES, ..." for an update that sets them.
QString WorkstationAssignments();

} // namespace Reservas
