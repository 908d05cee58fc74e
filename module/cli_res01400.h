#pragma once

#include "module/pkg_res01400_export.h"

namespace Dbclient {
class TClientDataSet;
}

class TfrmInclusaoReserva;

namespace Cli_res01400 {

// The single form instance, or null when none exists.
PKG_RES01400_EXPORT extern TfrmInclusaoReserva* frmInclusaoReserva;
// True exactly while an initialised form exists.
PKG_RES01400_EXPORT extern bool boInclusaoReser;
// The operation type the host gave: 2 edits an existing reservation.
PKG_RES01400_EXPORT extern int inNrTipo;

// Shows the reservation screen modally and returns once it is closed and destroyed.
PKG_RES01400_EXPORT void CriaInclusaoReserva(int inTipo, Dbclient::TClientDataSet* reserva);

void initialization();
void Finalization();

} // namespace Cli_res01400

// The plain name a host looks up when it loads the module at run time.
extern "C" PKG_RES01400_EXPORT void CriaInclusaoReserva(int inTipo,
                                                        Dbclient::TClientDataSet* reserva);
