#include "cli_res01400.h"
#include "displaymasks.h"
#include "tfrminclusaoreserva.h"

#include "framework/datetime.h"
#include "framework/graphics.h"
#include "framework/sysutils.h"
#include "hostlib/hostlib.h"
#include "moduletexts.h"
#include "reservas/reservas.h"

// Enter runs the routine of the current step: it checks the entry and either reports what is
// wrong and keeps the operator there, or accepts it and moves the red caption marker on.

namespace {

bool onlyZeros(const AnsiString& text) {
    return !text.empty() && text.find_first_not_of('0') == AnsiString::npos;
}

// What is handed on must be what the step accepted. The digits typed stand while the label
// still shows them; after a Backspace, or for a prefilled label, the accepted time is rebuilt.
AnsiString acceptedTimeDigits(const AnsiString& typed, const AnsiString& shown,
                              Sysutils::TDateTime accepted) {
    if (!typed.empty() && FormatTime(typed) == shown) {
        return typed;
    }
    return FromQString(Sysutils::DecodeDateTime(accepted).time().toString(QStringLiteral("HHmm")));
}

AnsiString acceptedTelephoneDigits(const AnsiString& typed, const AnsiString& shown) {
    if (!typed.empty() && FormatTelephone(typed) == shown) {
        return typed;
    }
    return TelephoneDigits(shown);
}

} // namespace

void TfrmInclusaoReserva::showMessage(const AnsiString& key) {
    Mensagem(msgPadrao->Msg(key), "", "N", "N", tmNotice, "", stIdEsquema, 0, nullptr);
}

void TfrmInclusaoReserva::showMessageFormatted(const AnsiString& key, const AnsiString& text) {
    Mensagem(Sysutils::Format(msgPadrao->Msg(key), text), "", "N", "N", tmNotice, "", stIdEsquema,
             0, nullptr);
}

void TfrmInclusaoReserva::moveMarker(Controls::TLabel* accepted, Controls::TLabel* next) {
    accepted->SetFontColor(Graphics::clHighlight);
    next->SetFontColor(Graphics::clRed);
}

void TfrmInclusaoReserva::sbtEnterClick(QObject*) {
    boShift = false;
    switch (inCampo) {
    case EntryStep::Name:
        stepName();
        break;
    case EntryStep::Date:
        stepDate();
        break;
    case EntryStep::StartTime:
        stepStartTime();
        break;
    case EntryStep::EndTime:
        stepEndTime();
        break;
    case EntryStep::Telephone:
        stepTelephone();
        break;
    case EntryStep::People:
        stepPeople();
        break;
    case EntryStep::Description:
        stepHandOff();
        break;
    default:
        break;
    }
    Refresh();
}

void TfrmInclusaoReserva::stepName() {
    if (EmptyString(lblNome->Caption())) {
        showMessage("NONINF");
        return;
    }
    sbtCalendario->setEnabled(true);
    inCampo = EntryStep::Date;
    moveMarker(lblDsNome, lblDsData);
}

void TfrmInclusaoReserva::stepDate() {
    const AnsiString shown = lblDtResMesa->Caption();
    if (EmptyString(shown)) {
        showMessage("DTINF");
        return;
    }
    Sysutils::TDateTime date = 0;
    try {
        date = Sysutils::StrToDate(shown);
    } catch (const std::exception&) {
        showMessageFormatted("DATA_INV", shown);
        lblDtResMesa->SetCaption("");
        stDigData.clear();
        Sysutils::Abort();
    }
    if (Sysutils::Date() > date) {
        showMessage("DTINV");
        lblDtResMesa->SetCaption("");
        stDigData.clear();
        return;
    }
    inCampo = EntryStep::StartTime;
    sbtCalendario->setEnabled(false);
    moveMarker(lblDsData, lblDsHrIni);
}

void TfrmInclusaoReserva::stepStartTime() {
    const AnsiString shown = lblHrIni->Caption();
    if (EmptyString(shown)) {
        showMessage("HRIINF");
        return;
    }
    Sysutils::TDateTime start = 0;
    try {
        start = Sysutils::StrToTime(shown);
    } catch (const std::exception&) {
        showMessageFormatted("HORINV", shown);
        lblHrIni->SetCaption("");
        stDigHrIni.clear();
        Sysutils::Abort();
    }
    // A calendar pick is taken as given; if it does not convert, the event guard reports it.
    if (Sysutils::StrToDate(lblDtResMesa->Caption()) == Sysutils::Date() &&
        Sysutils::Time() > start) {
        showMessage("HRIINV");
        lblHrIni->SetCaption("");
        stDigHrIni.clear();
        return;
    }
    stHrIni = acceptedTimeDigits(stHrIni, shown, start);
    inCampo = EntryStep::EndTime;
    moveMarker(lblDsHrIni, lblDsHrFin);
}

void TfrmInclusaoReserva::stepEndTime() {
    const AnsiString shown = lblHrFim->Caption();
    if (EmptyString(shown)) {
        showMessage("HRFINF");
        return;
    }
    Sysutils::TDateTime end = 0;
    try {
        end = Sysutils::StrToTime(shown);
    } catch (const std::exception&) {
        showMessageFormatted("HORINV", shown);
        lblHrFim->SetCaption("");
        stDigHrFim.clear();
        Sysutils::Abort();
    }
    // The times are compared, not their texts: " 9:45" is after "09:30".
    if (end <= Sysutils::StrToTime(lblHrIni->Caption())) {
        showMessage("Hr_Fim_Inv");
        lblHrFim->SetCaption("");
        stDigHrFim.clear();
        Sysutils::Abort();
    }
    stHrFim = acceptedTimeDigits(stHrFim, shown, end);
    inCampo = EntryStep::Telephone;
    moveMarker(lblDsHrFin, lblDsNrTelResMesa);
}

void TfrmInclusaoReserva::stepTelephone() {
    const AnsiString shown = lblNrTelResMesa->Caption();
    if (EmptyString(shown)) {
        showMessage("TELINF");
        return;
    }
    stTelefone = acceptedTelephoneDigits(stTelefone, shown);
    inCampo = EntryStep::People;
    moveMarker(lblDsNrTelResMesa, lblDsNrPesMesa);
}

void TfrmInclusaoReserva::stepPeople() {
    const AnsiString shown = lblNrPesMesa->Caption();
    if (EmptyString(shown)) {
        showMessage("NRINF");
        return;
    }
    if (onlyZeros(shown)) {
        showMessage("NR_ZERO");
        lblNrPesMesa->SetCaption("");
        Sysutils::Abort();
    }
    inCampo = EntryStep::Description;
    moveMarker(lblDsNrPesMesa, lblDsReserv);
}

void TfrmInclusaoReserva::stepHandOff() {
    lblDsReserv->SetFontColor(Graphics::clHighlight);
    Close();
    const AnsiString shownDate = lblDtResMesa->Caption();
    const AnsiString nome = lblNome->Caption();
    const AnsiString descricao = lblDsReserva->Caption();
    const AnsiString pessoas = lblNrPesMesa->Caption();
    // The entry is never lost: if the package cannot take it, the screen stays with every value
    // so the operator can try Enter again or leave.
    try {
        const TCriaMesasReserva handOff = CriaMesasReserva;
        if (handOff == nullptr) {
            throw Sysutils::Exception(ModuleText("SEMCRIAMESAS"));
        }
        handOff(Cli_res01400::inNrTipo, stHrIni, stHrFim, stTelefone, stData, shownDate, nome,
                descricao, pessoas, cdsReserva);
    } catch (...) {
        CancelClose();
        // The description is the current entry again, so its caption is marked again.
        lblDsReserv->SetFontColor(Graphics::clRed);
        throw;
    }
}

void TfrmInclusaoReserva::sbtCanlendarioClick(QObject*) {
    if (inCampo != EntryStep::Date) {
        return;
    }
    const TTouchCalendar calendar = TouchCalendar;
    if (calendar == nullptr) {
        throw Sysutils::Exception(ModuleText("SEMCALENDARIO"));
    }
    const AnsiString picked = calendar(0, 0, 0);
    if (EmptyString(picked)) {
        return;
    }
    lblDtResMesa->SetCaption(picked);
    moveMarker(lblDsData, lblDsHrIni);
    sbtCalendario->setEnabled(false);
    inCampo = EntryStep::StartTime;
}
