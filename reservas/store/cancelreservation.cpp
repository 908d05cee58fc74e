#include "databaseconnection.h"
#include "databasethread.h"
#include "reservas/store.h"
#include "reservationrows.h"
#include "tableholdings.h"

namespace Reservas {

CancelResult CancelReservation(const AnsiString& nrresmesa, std::optional<qlonglong> seenVersion) {
    const std::optional<qlonglong> asked = ReservationNumber(nrresmesa);
    if (!asked) {
        return CancelResult::NotFound;
    }
    return OnDatabaseThread([number = *asked, seenVersion] {
        const ReservationDatabase database(DatabaseAccess::Write);
        WriteTransaction transaction(database);
        const std::optional<StoredRow> row = SelectReservation(database, number);
        if (!row) {
            return CancelResult::NotFound;
        }
        if (row->Reservation.IDSTRESMESA == "C") {
            return CancelResult::AlreadyCancelled;
        }
        if (seenVersion && *seenVersion != 0 && *seenVersion != row->Versao) {
            return CancelResult::Changed;
        }
        // The tables go first: the database refuses a cancelled reservation that holds one. The
        // version makes a change that slipped in since the reading refuse the cancel.
        ReleaseTables(database, number);
        if (!SetStatusAt(database, number, row->Versao, "C")) {
            return CancelResult::Changed;
        }
        transaction.Commit();
        return CancelResult::Cancelled;
    });
}

} // namespace Reservas
