#include "databaseconnection.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "reservas/store.h"
#include "reservationcolumns.h"
#include "reservationrows.h"

namespace Reservas {

std::optional<StoredReservation> FindReservation(const AnsiString& nrresmesa) {
    const std::optional<qlonglong> number = ReservationNumber(nrresmesa);
    if (!number) {
        return std::nullopt;
    }
    const ReservationDatabase database(DatabaseAccess::Read);
    return SelectReservation(database, *number);
}

bool LoadReservation(const AnsiString& nrresmesa, Dbclient::TClientDataSet& target) {
    const std::optional<StoredReservation> stored = FindReservation(nrresmesa);
    if (!stored) {
        return false;
    }
    target.Append();
    for (const ReservationColumn& column : ReservationColumns) {
        Db::TField* field = target.FieldByName(AnsiString(column.Name));
        if (column.Text != nullptr) {
            field->SetAsString((*stored).*column.Text);
        } else {
            field->SetAsDateTime(Sysutils::EncodeDateTime((*stored).*column.Date));
        }
    }
    target.Post();
    return true;
}

} // namespace Reservas
