#include "daylist/daywindow.h"
#include "daylist/foundreservations.h"
#include "daylist/reservationlist.h"
#include "framework/datetime.h"
#include "framework/sysutils.h"
#include "hostlib/mensagem.h"
#include "reservas/store.h"
#include "terminaltexts.h"
#include "touchinput/askonkeys.h"

#include <map>

// Buscar: a part of a name or of a telephone, typed on the touch keys, finds reservations on any
// day; the one tapped opens its day with it selected.
void TDayWindow::findReservation() {
    const std::optional<QString> text =
        AskOnKeys(TerminalText("BUSCAR_TITULO"), KeysLayout::Letters,
                  int(Reservas::ColumnLength("NMRESMESA")), schemeId_);
    if (!text || text->trimmed().isEmpty()) {
        return;
    }
    const QString wanted = text->trimmed();
    const QDate today = Sysutils::DecodeDateTime(Sysutils::Date()).date();
    const std::vector<Reservas::DayReservation> reservations =
        Reservas::FindReservations(wanted, today);
    if (reservations.empty()) {
        Mensagem(TerminalText("BUSCAR_NENHUMA", wanted), "", "N", "N", tmNotice, "", schemeId_, 0,
                 nullptr);
        return;
    }
    // A guest with several reservations is read once.
    std::map<AnsiString, Reservas::GuestRecord> guests;
    std::vector<FoundReservation> found;
    for (const Reservas::DayReservation& reservation : reservations) {
        const AnsiString& telephone = reservation.Reservation.NRTELRESMESA;
        if (!guests.contains(telephone)) {
            guests[telephone] = Reservas::GuestHistory(telephone, today);
        }
        found.push_back({reservation, guests[telephone]});
    }
    const AnsiString title =
        reservations.size() < Reservas::FoundReservationsLimit
            ? TerminalText("BUSCAR_ENCONTRADAS", wanted)
            : TerminalText("BUSCAR_PRIMEIRAS", wanted, QString::number(reservations.size()));
    const std::optional<std::size_t> picked = PickFoundReservation(found, title, schemeId_);
    if (!picked) {
        return;
    }
    const Reservas::StoredReservation& chosen = reservations[*picked].Reservation;
    showDay(chosen.DTRESMESA);
    list_->SelectNumber(chosen.NRRESMESA);
    updateKeys();
}
