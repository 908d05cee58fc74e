#include "databaseconnection.h"
#include "databasethread.h"
#include "framework/datetime.h"
#include "reservas/store.h"
#include "reservationrows.h"

namespace Reservas {

namespace {

// Arrival and no-show mark a pending reservation; undo takes either mark back.
bool allowed(const AnsiString& status, ServiceMark mark) {
    if (mark == ServiceMark::Undo) {
        return status == "U" || status == "N";
    }
    return status == "P";
}

const char* statusOf(ServiceMark mark) {
    switch (mark) {
    case ServiceMark::Arrived:
        return "U";
    case ServiceMark::NoShow:
        return "N";
    case ServiceMark::Undo:
        break;
    }
    return "P";
}

} // namespace

MarkResult MarkReservation(const AnsiString& nrresmesa, qlonglong seenVersion, ServiceMark mark) {
    const std::optional<qlonglong> asked = ReservationNumber(nrresmesa);
    if (!asked) {
        return MarkResult::NotFound;
    }
    // The terminal's clock, as the list shows the other times.
    const QString arrival =
        mark == ServiceMark::Arrived
            ? Sysutils::DecodeDateTime(Sysutils::Now()).time().toString(QStringLiteral("HHmm"))
            : QString();
    return OnDatabaseThread([number = *asked, seenVersion, mark, arrival] {
        const ReservationDatabase database(DatabaseAccess::Write);
        WriteTransaction transaction(database);
        const std::optional<StoredRow> row = SelectReservation(database, number);
        if (!row) {
            return MarkResult::NotFound;
        }
        if (seenVersion != 0 && seenVersion != row->Versao) {
            return MarkResult::Changed;
        }
        if (!allowed(row->Reservation.IDSTRESMESA, mark)) {
            return MarkResult::NotAllowed;
        }
        if (!SetStatusAt(database, number, row->Versao, statusOf(mark), arrival)) {
            return MarkResult::Changed;
        }
        transaction.Commit();
        return MarkResult::Marked;
    });
}

} // namespace Reservas
