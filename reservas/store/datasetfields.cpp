#include "reservas/store.h"

#include "framework/data/dbclient.h"
#include "reservationcolumns.h"

namespace Reservas {

void DefineReservationFields(Dbclient::TClientDataSet& dataset) {
    for (const ReservationColumn& column : ReservationColumns) {
        dataset.AddFieldDef(AnsiString(column.Name), column.Type, static_cast<int>(column.Size));
    }
}

} // namespace Reservas
