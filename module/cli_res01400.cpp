#include "cli_res01400.h"

#include "framework/screen.h"
#include "tfrminclusaoreserva.h"

#include <utility>

namespace Cli_res01400 {

TfrmInclusaoReserva* frmInclusaoReserva = nullptr;
bool boInclusaoReser = false;
int inNrTipo = 0;

namespace {

bool unitStarted = false;

// Destroys the instance however the entry function ends, and clears the flag with it so a
// display that ended without the close handler cannot leave a flag with no form.
struct DestroyFormOnExit {
    DestroyFormOnExit() = default;
    DestroyFormOnExit(const DestroyFormOnExit&) = delete;
    DestroyFormOnExit& operator=(const DestroyFormOnExit&) = delete;
    ~DestroyFormOnExit() {
        TfrmInclusaoReserva* form = std::exchange(frmInclusaoReserva, nullptr);
        boInclusaoReser = false;
        delete form;
    }
};

} // namespace

void CriaInclusaoReserva(int inTipo, Dbclient::TClientDataSet* reserva) {
    if (frmInclusaoReserva != nullptr) {
        // A nested call while the screen is up: the operator is already on it.
        frmInclusaoReserva->raise();
        frmInclusaoReserva->activateWindow();
        return;
    }
    DestroyFormOnExit cleanUp;
    Forms::Screen->SetCursor(Forms::crHourGlass);
    frmInclusaoReserva = new TfrmInclusaoReserva(nullptr);
    frmInclusaoReserva->InicializaForm(inTipo, reserva);
    boInclusaoReser = true;
    frmInclusaoReserva->SetWindowStateNormal();
    Forms::Screen->SetCursor(Forms::crDefault);
    frmInclusaoReserva->ShowModal();
}

void initialization() {
    if (unitStarted) {
        return;
    }
    unitStarted = true;
    boInclusaoReser = false;
}

void Finalization() {}

} // namespace Cli_res01400

extern "C" void CriaInclusaoReserva(int inTipo, Dbclient::TClientDataSet* reserva) {
    Cli_res01400::CriaInclusaoReserva(inTipo, reserva);
}
