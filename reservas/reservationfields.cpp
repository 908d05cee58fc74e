#include "reservas/reservationstore.h"

#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "reservas/reservationlayout.h"

namespace Reservas {

void DefineReservationFields(Dbclient::TClientDataSet& dataset) {
    for (const ReservationColumn& column : ReservationColumns) {
        dataset.AddFieldDef(AnsiString(column.Name), column.Type, static_cast<int>(column.Size));
    }
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
