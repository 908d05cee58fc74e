#include "daylist/daydisplay.h"
#include "daylist/daywindow.h"
#include "daylist/foundreservations.h"
#include "daylist/reservationlist.h"
#include "hostlib/mensagem.h"
#include "journal.h"
#include "reservas/changewatcher.h"
#include "reservas/store.h"
#include "terminaltexts.h"

#include <QDate>
#include <QLabel>
#include <QStringList>

namespace {

// A history shows its latest changes; a dialog has room for about this many lines.
constexpr std::size_t shownHistoryLines = 16;

QString fieldLabel(const QString& field) {
    return ToQString(TerminalText(("CAMPO_" + field.toStdString()).c_str()));
}

// A date and the times as the list shows them.
QString shownValue(const QString& field, const QString& value) {
    if (field == QLatin1String("DTRESMESA")) {
        return QDate::fromString(value, Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (field.startsWith(QLatin1String("HR")) && value.size() == 4) {
        return value.left(2) + QLatin1Char(':') + value.mid(2);
    }
    return value;
}

// The fields an entry changed, one line each; a new reservation shows none.
QStringList changedFields(const Reservas::HistoryEntry& entry) {
    QStringList lines;
    if (entry.Antes.size() != entry.Depois.size()) {
        return lines;
    }
    for (std::size_t at = 0; at < entry.Depois.size(); ++at) {
        const auto& [field, before] = entry.Antes[at];
        const QString& after = entry.Depois[at].second;
        // The event itself says the status and the arrival, at its own time.
        if (before != after && field != QLatin1String("IDSTRESMESA") &&
            field != QLatin1String("HRCHEGRESMESA")) {
            lines << ToQString(TerminalText("HISTORICO_MUDOU", fieldLabel(field),
                                            shownValue(field, before), shownValue(field, after)));
        }
    }
    return lines;
}

QStringList historyLines(const std::vector<Reservas::HistoryEntry>& history) {
    QStringList lines;
    for (const Reservas::HistoryEntry& entry : history) {
        const AnsiString event = TerminalText(("EVENTO_" + entry.Evento.toStdString()).c_str());
        lines << ToQString(TerminalText(
            "HISTORICO_LINHA", entry.Momento.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
            event.empty() ? entry.Evento : ToQString(event),
            entry.Operador.isEmpty() ? ToQString(TerminalText("HISTORICO_SEM_OPERADOR"))
                                     : entry.Operador,
            entry.Terminal));
        lines << changedFields(entry);
    }
    if (std::size_t(lines.size()) > shownHistoryLines) {
        const qsizetype hidden = lines.size() - qsizetype(shownHistoryLines) + 1;
        lines = lines.mid(hidden);
        lines.prepend(ToQString(TerminalText("HISTORICO_ANTERIORES", QString::number(hidden))));
    }
    return lines;
}

} // namespace

void TDayWindow::arrivedOrUndo() {
    const DayRow* selected = list_->Selected();
    if (selected != nullptr && selected->StatusCode == "U") {
        markSelected(Reservas::ServiceMark::Undo, "undone");
    } else {
        markSelected(Reservas::ServiceMark::Arrived, "arrived");
    }
}

void TDayWindow::noShowOrUndo() {
    const DayRow* selected = list_->Selected();
    if (selected != nullptr && selected->StatusCode == "N") {
        markSelected(Reservas::ServiceMark::Undo, "undone");
    } else {
        markSelected(Reservas::ServiceMark::NoShow, "no_show");
    }
}

// Asks nothing: a wrong tap is taken back with the same key.
void TDayWindow::markSelected(Reservas::ServiceMark mark, const char* journalEvent) {
    const DayRow* selected = list_->Selected();
    if (selected == nullptr) {
        return;
    }
    const DayRow chosen = *selected;
    switch (Reservas::MarkReservation(chosen.Number, chosen.Versao, mark)) {
    case Reservas::MarkResult::Marked:
        journal_.write({{"event", QString::fromLatin1(journalEvent)},
                        {"nrresmesa", ToQString(chosen.Number)}});
        break;
    case Reservas::MarkResult::NotFound:
        sayGone(chosen.Number);
        break;
    case Reservas::MarkResult::NotAllowed:
    case Reservas::MarkResult::Changed:
        Mensagem(TerminalText("MARCA_RECUSADA", ToQString(chosen.Number)), "", "N", "N", tmWarning,
                 "", schemeId_, 0, nullptr);
        break;
    }
    refresh();
}

void TDayWindow::showHistory() {
    const DayRow* selected = list_->Selected();
    if (selected == nullptr) {
        return;
    }
    const DayRow chosen = *selected;
    const QStringList lines = historyLines(Reservas::ReservationHistory(chosen.Number));
    Mensagem(TerminalText("HISTORICO_TITULO", ToQString(chosen.Number)) + " - " + chosen.Name, "",
             "N", "N", tmNotice,
             lines.isEmpty() ? TerminalText("HISTORICO_VAZIO")
                             : FromQString(lines.join(QLatin1Char('\n'))),
             schemeId_, 0, nullptr);
}

// What the list cannot show in full: the description and the guest beneath its name, then the
// guest's record by telephone, read in the background so that moving through the rows never
// waits for the database.
void TDayWindow::showSelection() {
    const DayRow* selected = list_->Selected();
    if (selected == nullptr) {
        selection_->clear();
        return;
    }
    QStringList parts{ToQString(selected->Name)};
    for (const AnsiString* shown : {&selected->Guest, &selected->Arrival}) {
        if (!shown->empty()) {
            parts << ToQString(*shown);
        }
    }
    const QString shown = parts.join(QStringLiteral(" \u00b7 "));
    selection_->setText(shown);
    if (selected->Telephone.empty()) {
        return;
    }
    const AnsiString number = selected->Number;
    const AnsiString telephone = selected->Telephone;
    const QDate day = day_;
    Reservas::ReadInBackground<Reservas::GuestRecord>(
        this, [telephone, day] { return Reservas::GuestHistory(telephone, day); },
        [this, number, telephone, shown](const Reservas::GuestRecord& record) {
            const DayRow* still = list_->Selected();
            if (still != nullptr && still->Number == number) {
                selection_->setText(shown + QStringLiteral(" \u00b7 ") +
                                    ToQString(GuestRecordText(telephone, record)));
            }
        },
        [] {});
}
