#include "daylist/daywindow.h"
#include "daylist/outsidehandlers.h"
#include "daylist/reservationlist.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "framework/windowmessages.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/mensagem.h"
#include "hostlib/pergunta.h"
#include "journal.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"
#include "reservas/store.h"
#include "reservationdataset.h"
#include "terminaltexts.h"

#include <QLabel>

namespace {

// Virtual-key codes of the arrow keys.
constexpr Forms::WORD vkLeft = 37;
constexpr Forms::WORD vkUp = 38;
constexpr Forms::WORD vkRight = 39;
constexpr Forms::WORD vkDown = 40;

} // namespace

// Esc leaves, the arrows move through the rows and the days, Enter edits the selected row.
void TDayWindow::formKeyDown(Forms::WORD& key) {
    switch (key) {
    case Messages::VK_ESCAPE:
        leave();
        break;
    case vkUp:
        list_->MoveSelection(-1);
        break;
    case vkDown:
        list_->MoveSelection(1);
        break;
    case vkLeft:
        previousDay();
        break;
    case vkRight:
        nextDay();
        break;
    case Messages::VK_RETURN:
        editSelected();
        break;
    default:
        break;
    }
}

void TDayWindow::updateKeys() {
    const DayRow* selected = list_->Selected();
    editKey_->setEnabled(selected != nullptr);
    cancelKey_->setEnabled(selected != nullptr && !selected->Cancelled);
    historyKey_->setEnabled(selected != nullptr);
    // Each mark is set on a pending reservation and taken back by the same key.
    const AnsiString status = selected != nullptr ? selected->StatusCode : AnsiString();
    arrivedKey_->setEnabled(status == "P" || status == "U");
    arrivedKey_->SetCaption(TerminalText(status == "U" ? "TECLA_DESFAZER" : "TECLA_CHEGOU"));
    noShowKey_->setEnabled(status == "P" || status == "N");
    noShowKey_->SetCaption(TerminalText(status == "N" ? "TECLA_DESFAZER" : "TECLA_NAO_VEIO"));
}

void TDayWindow::previousDay() {
    showDay(day_.addDays(-1));
}

void TDayWindow::nextDay() {
    showDay(day_.addDays(1));
}

void TDayWindow::showToday() {
    showDay(Sysutils::DecodeDateTime(Sysutils::Date()).date());
}

void TDayWindow::pickDay() {
    const AnsiString picked = TouchCalendar(day_.year(), day_.month(), day_.day());
    if (!picked.empty()) {
        showDay(Sysutils::DecodeDateTime(Sysutils::StrToDate(picked)).date());
    }
}

void TDayWindow::newReservation() {
    openEntry(NewReservation, {});
}

// A cancelled reservation cannot be edited; the operator is asked whether to bring it back.
void TDayWindow::editSelected() {
    const DayRow* selected = list_->Selected();
    if (selected == nullptr) {
        return;
    }
    if (selected->Cancelled) {
        reactivateSelected();
    } else {
        openEntry(EditReservation, selected->Number);
    }
}

void TDayWindow::cancelSelected() {
    const DayRow* selected = list_->Selected();
    if (selected == nullptr || selected->Cancelled) {
        return;
    }
    const DayRow chosen = *selected;
    if (!Pergunta(TerminalText("CANCELAR_PERGUNTA", ToQString(chosen.Number),
                               ToQString(chosen.Name), ToQString(chosen.Start),
                               ToQString(chosen.End)),
                  schemeId_)) {
        return;
    }
    switch (Reservas::CancelReservation(chosen.Number, chosen.Versao)) {
    case Reservas::CancelResult::Cancelled:
        journal_.write({{"event", "cancelled"}, {"nrresmesa", ToQString(chosen.Number)}});
        break;
    case Reservas::CancelResult::NotFound:
        sayGone(chosen.Number);
        break;
    case Reservas::CancelResult::AlreadyCancelled:
    case Reservas::CancelResult::Changed:
        // Another terminal got there first: the list shows what it stored, to look at again.
        Mensagem(TerminalText("RESERVA_MUDOU", ToQString(chosen.Number)), "", "N", "N", tmWarning,
                 "", schemeId_, 0, nullptr);
        break;
    }
    refresh();
}

void TDayWindow::reactivateSelected() {
    const DayRow chosen = *list_->Selected();
    if (!Pergunta(TerminalText("REATIVAR_PERGUNTA", ToQString(chosen.Number),
                               ToQString(chosen.Name), ToQString(chosen.Start),
                               ToQString(chosen.End)),
                  schemeId_)) {
        return;
    }
    const std::optional<Reservas::ReactivateResult> result =
        Reservas::BringBackReservation(chosen.Number, chosen.Versao);
    if (result == Reservas::ReactivateResult::Reactivated) {
        journal_.write({{"event", "reactivated"}, {"nrresmesa", ToQString(chosen.Number)}});
    } else if (result == Reservas::ReactivateResult::NotFound) {
        sayGone(chosen.Number);
    } else if (result) {
        Mensagem(TerminalText("RESERVA_MUDOU", ToQString(chosen.Number)), "", "N", "N", tmWarning,
                 "", schemeId_, 0, nullptr);
    }
    refresh();
}

// The entry screen is a form of its own, opened outside this window's handlers, as a host
// opens it: see RunOutsideHandlers.
void TDayWindow::openEntry(int tipo, const AnsiString& nrresmesa) {
    if (entryPending_) {
        return;
    }
    entryPending_ = true;
    RunOutsideHandlers(this, [this, tipo, nrresmesa] {
        entryPending_ = false;
        enterReservation(tipo, nrresmesa);
    });
}

void TDayWindow::enterReservation(int tipo, const AnsiString& nrresmesa) {
    Dbclient::TClientDataSet reservation;
    reservation.setObjectName(QStringLiteral("cdsReservaTerminal"));
    if (tipo == EditReservation) {
        if (!PrepareStoredReservation(reservation, nrresmesa)) {
            sayGone(nrresmesa);
            refresh();
            return;
        }
    } else {
        PrepareNewReservation(reservation);
    }
    // Whatever became of the entry, the list then shows what is stored.
    try {
        entry_(tipo, &reservation);
    } catch (const std::exception& error) {
        Forms::ShowException(error);
    }
    refresh();
}

// Another terminal has removed it since the list was read.
void TDayWindow::sayGone(const AnsiString& nrresmesa) {
    Mensagem(TerminalText("RESERVA_SUMIU", ToQString(nrresmesa)), "", "N", "N", tmWarning, "",
             schemeId_, 0, nullptr);
}

// A tap by mistake must not leave a full-screen terminal without its list.
void TDayWindow::leave() {
    if (exitHidden_ || (askBeforeLeaving_ && !Pergunta(TerminalText("SAIR_PERGUNTA"), schemeId_))) {
        return;
    }
    Close();
}
