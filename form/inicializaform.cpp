#include "form/cli_res01400.h"
#include "form/displaymasks.h"
#include "form/tfrminclusaoreserva.h"

#include "framework/db.h"
#include "framework/dbclient.h"
#include "framework/graphics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString parametersFileName = QStringLiteral("PARAMETROSQUOR.CDS");

// The parameters file beside the running executable: the exact name first, then the same name
// in any letter case (files copied from Windows keep whatever case they had).
QString parametersFilePath() {
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString exact = folder.filePath(parametersFileName);
    if (QFileInfo(exact).isFile()) {
        return exact;
    }
    const QStringList candidates = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString& candidate : candidates) {
        if (candidate.compare(parametersFileName, Qt::CaseInsensitive) == 0) {
            return folder.filePath(candidate);
        }
    }
    return {};
}

} // namespace

void TfrmInclusaoReserva::InicializaForm(int inTipo, Dbclient::TClientDataSet* reserva) {
    Cli_res01400::inNrTipo = inTipo;

    cdsReserva->SetData(reserva->Data());
    cdsReserva->First();

    // The form is a plain rectangle with a drawn frame: its window has no region.
    clearMask();

    const QString parametersFile = parametersFilePath();
    if (!parametersFile.isEmpty()) {
        cdsParametrosQuor->LoadFromFile(parametersFile);
        cdsParametrosQuor->Open();
        stIdEsquema = cdsParametrosQuor->FieldByName("IDESQUEMA")->AsString();
    }

    if (Cli_res01400::inNrTipo == 2) {
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
