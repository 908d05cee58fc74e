#include "reservationdataset.h"

#include "framework/data/db.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "reservas/store.h"

void PrepareNewReservation(Dbclient::TClientDataSet& dataset) {
    Reservas::DefineReservationFields(dataset);
    dataset.CreateDataSet();
    dataset.Append();
    dataset.FieldByName("IDSTRESMESA")->SetAsString("P");
    dataset.FieldByName("DTHRINCLURES")->SetAsDateTime(Sysutils::Date());
    dataset.FieldByName("CDOPERINCRES")
        ->SetAsString(FromQString(Reservas::CurrentWorkstation().Operator));
    dataset.Post();
}

bool PrepareStoredReservation(Dbclient::TClientDataSet& dataset, const AnsiString& nrresmesa) {
    Reservas::DefineReservationFields(dataset);
    dataset.CreateDataSet();
    return Reservas::LoadReservation(nrresmesa, dataset);
}
