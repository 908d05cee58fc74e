#pragma once

#include "reservas/reservas.h"

namespace Reservas {

// The routine behind CriaMesasReserva: stores the entered reservation, a new one for any type
// but 2 and the dataset's current reservation for type 2, tells the stored observer and
// confirms to the operator. Every failure leaves as Sysutils::Exception with a clear text.
void StoreHandOff(int tipo, const AnsiString& hrIni, const AnsiString& hrFim,
                  const AnsiString& telefone, const AnsiString& dataDigitos, const AnsiString& data,
                  const AnsiString& nome, const AnsiString& descricao, const AnsiString& pessoas,
                  Dbclient::TClientDataSet* reserva);

} // namespace Reservas
