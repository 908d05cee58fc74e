#pragma once

#include "reservas/store.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace Reservas {

class ReservationDatabase;

// A booking on a server as one statement, so that it costs one round trip however far away the
// server is: a function the schema installs checks the hand-off identity and the tables, stores
// the reservation and its tables, and answers, all in one transaction.

// The statements that install it.
QStringList ServerBookingSql();

struct ServerBookingOutcome {
    enum class Kind {
        Stored,       // stored now
        StoredBefore, // the hand-off identity had stored it already: nothing stored again
        TablesTaken,  // Mesas are taken or gone: nothing stored
        EditRefused,  // the edited reservation is gone, cancelled or no longer at version
    };
    Kind Outcome = Kind::Stored;
    qlonglong Number = 0;
    std::vector<int> Mesas; // held now, or those taken
};

// Stores reservation as new, or over the reservation numbered editing read at version (0: any),
// holding mesas, or keeping and moving what it holds when there are none.
ServerBookingOutcome BookOnServer(const ReservationDatabase& database,
                                  const StoredReservation& reservation,
                                  std::optional<qlonglong> editing, qlonglong version,
                                  const std::optional<std::vector<int>>& mesas,
                                  const QString& identity);

} // namespace Reservas
