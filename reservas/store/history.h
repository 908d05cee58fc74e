#pragma once

#include "reservas/store.h"

#include <QStringList>

namespace Reservas {

// Version 7 of the schema: the arrival time, who changed a reservation last, a telephone's
// reservations found by it, and the history the database itself writes of every change of a
// reservation, in the transaction that makes it, whoever writes.
QStringList ServiceHistorySql(DatabaseEngine engine);

} // namespace Reservas
