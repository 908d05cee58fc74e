#pragma once

#include "framework/ansistring.h"
#include "reservas/reservas_export.h"

namespace Dbclient {
class TClientDataSet;
}

// The operation types a host gives: the edit of a stored reservation, and a new one (any type
// other than the edit makes a new reservation).
inline constexpr int EditReservation = 2;
inline constexpr int NewReservation = 1;

// The table-reservation package's entry points. Each is a variable holding a routine's address,
// read at the moment of the call, so a host or a test can put its own routine in its place.
using TTouchCalendar = AnsiString (*)(int, int, int);
using TCriaMesasReserva = void (*)(int tipo, const AnsiString& hrIni, const AnsiString& hrFim,
                                   const AnsiString& telefone, const AnsiString& dataDigitos,
                                   const AnsiString& data, const AnsiString& nome,
                                   const AnsiString& descricao, const AnsiString& pessoas,
                                   Dbclient::TClientDataSet* reserva);

extern RESERVAS_EXPORT TTouchCalendar TouchCalendar;
extern RESERVAS_EXPORT TCriaMesasReserva CriaMesasReserva;
