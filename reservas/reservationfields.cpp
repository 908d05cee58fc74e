#include "reservas/reservationstore.h"

#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "reservas/reservationlayout.h"

namespace Reservas {

namespace {

void setText(Dbclient::TClientDataSet& dataset, const char* name, const AnsiString& text) {
    dataset.FieldByName(name)->SetAsString(text);
}

void setDate(Dbclient::TClientDataSet& dataset, const char* name, const QDate& date) {
    dataset.FieldByName(name)->SetAsDateTime(Sysutils::EncodeDateTime(date));
}

} // namespace

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
    setText(target, "DSRESMESA", stored->DSRESMESA);
    setText(target, "NRRESMESA", stored->NRRESMESA);
    setText(target, "CDFILIAL", stored->CDFILIAL);
    setText(target, "CDLOJA", stored->CDLOJA);
    setDate(target, "DTRESMESA", stored->DTRESMESA);
    setText(target, "HRINIRESMESA", stored->HRINIRESMESA);
    setText(target, "HRFINRESMESA", stored->HRFINRESMESA);
    setText(target, "NMRESMESA", stored->NMRESMESA);
    setText(target, "NRTELRESMESA", stored->NRTELRESMESA);
    setText(target, "NRPESRESMESA", stored->NRPESRESMESA);
    setText(target, "IDSTRESMESA", stored->IDSTRESMESA);
    setText(target, "CDOPERINCRES", stored->CDOPERINCRES);
    setDate(target, "DTHRINCLURES", stored->DTHRINCLURES);
    target.Post();
    return true;
}

} // namespace Reservas
