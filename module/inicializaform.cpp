#include "cli_res01400.h"
#include "displaymasks.h"
#include "tfrminclusaoreserva.h"

#include "framework/data/db.h"
#include "framework/data/dbclient.h"
#include "framework/graphics.h"
#include "hostlib/parameters.h"
#include "reservas/reservas.h"

void TfrmInclusaoReserva::InicializaForm(int inTipo, Dbclient::TClientDataSet* reserva) {
    Cli_res01400::inNrTipo = inTipo;

    cdsReserva->SetData(reserva->Data());
    cdsReserva->First();

    // The form is a plain rectangle with a drawn frame: its window has no region.
    clearMask();

    stIdEsquema = LoadDisplayScheme(*cdsParametrosQuor);

    if (Cli_res01400::inNrTipo == EditReservation) {
        lblNome->SetCaption(cdsReserva->FieldByName("NMRESMESA")->AsString());
        lblDtResMesa->SetCaption(cdsReserva->FieldByName("DTRESMESA")->AsString());
        lblHrIni->SetCaption(FormatTime(cdsReserva->FieldByName("HRINIRESMESA")->AsString()));
        lblHrFim->SetCaption(FormatTime(cdsReserva->FieldByName("HRFINRESMESA")->AsString()));
        lblNrTelResMesa->SetCaption(
            FormatTelephone(cdsReserva->FieldByName("NRTELRESMESA")->AsString()));
        lblNrPesMesa->SetCaption(cdsReserva->FieldByName("NRPESRESMESA")->AsString());
        lblDsReserva->SetCaption(cdsReserva->FieldByName("DSRESMESA")->AsString());
    }

    inCampo = EntryStep::Name;
    lblDsNome->SetFontColor(Graphics::clRed);
    boCapsLock = false;
    boShift = false;
    sbtShiftClick(sbtShift);
}
