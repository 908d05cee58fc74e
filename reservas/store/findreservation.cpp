#include "databaseconnection.h"
#include "databasethread.h"
#include "editnotes.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "reservas/store.h"
#include "reservationcolumns.h"
#include "reservationrows.h"
#include "storetexts.h"

namespace Reservas {

std::optional<StoredReservation> FindReservation(const AnsiString& nrresmesa) {
    const std::optional<qlonglong> number = ReservationNumber(nrresmesa);
    if (!number) {
        return std::nullopt;
    }
    const std::optional<StoredRow> row = OnDatabaseThread([number = *number] {
        const ReservationDatabase database(DatabaseAccess::Read);
        return SelectReservation(database, number);
    });
    if (!row) {
        return std::nullopt;
    }
    return row->Reservation;
}

bool LoadReservation(const AnsiString& nrresmesa, Dbclient::TClientDataSet& target) {
    const std::optional<qlonglong> number = ReservationNumber(nrresmesa);
    if (!number) {
        return false;
    }
    const std::optional<StoredRow> row = OnDatabaseThread([number = *number] {
        const ReservationDatabase database(DatabaseAccess::Read);
        return SelectReservation(database, number);
    });
    if (!row) {
        return false;
    }
    if (row->Reservation.IDSTRESMESA == "C") {
        Raise("RESERVA_CANCELADA", QString::number(*number));
    }
    NoteReadForEdit(*number, *row);
    const StoredReservation& stored = row->Reservation;
    target.Append();
    for (const ReservationColumn& column : ReservationColumns) {
        Db::TField* field = target.FieldByName(AnsiString(column.Name));
        if (column.Text != nullptr) {
            field->SetAsString(stored.*column.Text);
        } else if (column.Date != nullptr) {
            field->SetAsDateTime(Sysutils::EncodeDateTime(stored.*column.Date));
        } else {
            const QDateTime& moment = stored.*column.Moment;
            field->SetAsDateTime(Sysutils::EncodeDateTime(moment.date(), moment.time()));
        }
    }
    target.Post();
    return true;
}

} // namespace Reservas
