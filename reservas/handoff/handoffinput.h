#pragma once

#include "framework/ansistring.h"
#include "reservas/store.h"

namespace Reservas {

// What the reservation screen hands over, as it gives it.
struct HandOffTexts {
    AnsiString HrIni;
    AnsiString HrFim;
    AnsiString Telefone;
    AnsiString Data;
    AnsiString Nome;
    AnsiString Descricao;
    AnsiString Pessoas;
};

// The columns the entered values fill, normalised: times as HHMM, the date read from the shown
// text, the telephone's digits, the number of people without leading zeros, name and
// description without surrounding blanks. Bad data raise Sysutils::Exception naming the value.
StoredReservation ReadHandOff(const HandOffTexts& texts);

} // namespace Reservas
