#include "handoff/handoff.h"

#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "framework/screen.h"
#include "handoff/handoffinput.h"
#include "hostlib/mensagem.h"
#include "hostlib/parameters.h"
#include "packagetexts.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"
#include "reservas/store.h"

#include <QString>
#include <QTime>
#include <algorithm>
#include <iterator>

namespace Reservas {

namespace {

TStoredObserver storedObserver;

// The dataset's value of a field it may not have.
AnsiString fieldText(Dbclient::TClientDataSet* dataset, const char* name) {
    if (dataset == nullptr) {
        return {};
    }
    const Db::TField* field = dataset->FindField(name);
    return field != nullptr ? field->AsString() : AnsiString();
}

// What a new reservation carries beside what was entered: pending, and who took it where.
StoredReservation newReservation(StoredReservation reservation, Dbclient::TClientDataSet* reserva) {
    reservation.IDSTRESMESA = "P";
    reservation.CDFILIAL = fieldText(reserva, "CDFILIAL");
    reservation.CDLOJA = fieldText(reserva, "CDLOJA");
    reservation.CDOPERINCRES = fieldText(reserva, "CDOPERINCRES");
    reservation.DTHRINCLURES = Sysutils::DecodeDateTime(Sysutils::Date()).date();
    return reservation;
}

// The number of the reservation being edited.
qlonglong editedNumber(Dbclient::TClientDataSet* reserva) {
    const AnsiString nrresmesa = fieldText(reserva, "NRRESMESA");
    if (ToQString(nrresmesa).trimmed().isEmpty()) {
        Raise("RESERVA_SEM_NR");
    }
    const std::optional<qlonglong> number = ReservationNumber(nrresmesa);
    if (!number) {
        Raise("RESERVA_INEXISTENTE", nrresmesa);
    }
    return *number;
}

// The hourglass while the database may keep the operator waiting on another terminal; the
// cursor shown before comes back however the wait ends.
class HourGlass {
public:
    HourGlass() : previous_(Forms::Screen->Cursor()) {
        Forms::Screen->SetCursor(Forms::crHourGlass);
    }
    ~HourGlass() { Forms::Screen->SetCursor(previous_); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

private:
    Forms::TCursor previous_;
};

// A stored HHMM time as the screens show it.
QString shownTime(const AnsiString& hhmm) {
    return QTime::fromString(ToQString(hhmm), QStringLiteral("HHmm"))
        .toString(QStringLiteral("HH:mm"));
}

// Those of wanted that are not in taken; both ascending.
std::vector<int> freeOf(const std::vector<int>& wanted, const std::vector<int>& taken) {
    std::vector<int> free;
    std::set_difference(wanted.begin(), wanted.end(), taken.begin(), taken.end(),
                        std::back_inserter(free));
    return free;
}

// What the grid offers for the reservation: the restaurant's tables, those other reservations
// hold at its times, and those picked already (free ones only).
TableChoice choiceFor(const StoredReservation& reservation, const TablesAround& around,
                      std::vector<RestaurantTable> tables, const std::vector<int>& picked) {
    TableChoice choice;
    choice.Tables = std::move(tables);
    choice.Taken = around.Taken;
    choice.Picked = freeOf(picked, choice.Taken);
    choice.People = ToQString(reservation.NRPESRESMESA).toInt();
    choice.Heading =
        Text("MESAS_TITULO", reservation.DTRESMESA.toString(QStringLiteral("dd/MM/yyyy")),
             shownTime(reservation.HRINIRESMESA), shownTime(reservation.HRFINRESMESA),
             reservation.NMRESMESA);
    choice.SchemeId = DisplayScheme();
    return choice;
}

TablesAround tablesAround(const StoredReservation& reservation, std::optional<qlonglong> editing) {
    const HourGlass waiting;
    return TablesAt(reservation, editing);
}

void warn(const AnsiString& text, const AnsiString& schemeId) {
    Mensagem(text, "", "S", "N", tmWarning, "", schemeId, 0, nullptr);
}

// Those of an edited reservation's tables that its new times lose, said to the operator.
void warnOfLostTables(const TablesAround& around) {
    std::vector<int> lost;
    std::set_intersection(around.Held.begin(), around.Held.end(), around.Taken.begin(),
                          around.Taken.end(), std::back_inserter(lost));
    if (!lost.empty()) {
        warn(TablesTaken(lost).Message(), DisplayScheme());
    }
}

// Stores the reservation with the tables the operator picks. A table another terminal took
// meanwhile is said, and the grid comes back with it taken; going back from the grid leaves
// the entry on the screen.
Booking bookWithTables(const StoredReservation& reservation, std::optional<qlonglong> editing,
                       std::vector<RestaurantTable> tables) {
    const TablesAround around = tablesAround(reservation, editing);
    warnOfLostTables(around);
    TableChoice choice = choiceFor(reservation, around, std::move(tables), around.Held);
    for (;;) {
        // While the grid is open another terminal may take a table: the grid asks again.
        choice.RefreshTaken = [reservation, editing] {
            return TablesAt(reservation, editing).Taken;
        };
        const std::optional<std::vector<int>> picked = PickTables(choice);
        if (!picked) {
            Sysutils::Abort();
        }
        try {
            const HourGlass waiting;
            return BookReservation(reservation, editing, *picked);
        } catch (const TablesTaken& taken) {
            warn(taken.Message(), choice.SchemeId);
            std::vector<int> stillWanted = *picked;
            std::sort(stillWanted.begin(), stillWanted.end());
            choice = choiceFor(reservation, tablesAround(reservation, editing),
                               std::move(choice.Tables), stillWanted);
        }
    }
}

Booking storeEntered(int tipo, const StoredReservation& entered,
                     Dbclient::TClientDataSet* reserva) {
    const std::optional<qlonglong> editing =
        tipo == EditReservation ? std::optional(editedNumber(reserva)) : std::nullopt;
    const StoredReservation reservation = editing ? entered : newReservation(entered, reserva);
    std::vector<RestaurantTable> tables;
    {
        const HourGlass waiting;
        tables = RestaurantTables();
    }
    if (!tables.empty()) {
        return bookWithTables(reservation, editing, std::move(tables));
    }
    // A restaurant that assigns no tables: stored at once, an edit keeping what it holds.
    const HourGlass waiting;
    return BookReservation(reservation, editing,
                           editing ? std::nullopt : std::optional(std::vector<int>()));
}

void store(int tipo, const HandOffTexts& texts, Dbclient::TClientDataSet* reserva) {
    const Booking booking = storeEntered(tipo, ReadHandOff(texts), reserva);
    if (storedObserver) {
        storedObserver(booking.Nrresmesa, booking.Mesas);
    }
    Mensagem(Text("GRAVADA", booking.Nrresmesa), "", "N", "N", tmNotice, "", DisplayScheme(), 0,
             nullptr);
}

} // namespace

void SetStoredObserver(TStoredObserver observer) {
    storedObserver = std::move(observer);
}

// The typed date digits are not read: the shown date carries the same day on every road.
void StoreHandOff(int tipo, const AnsiString& hrIni, const AnsiString& hrFim,
                  const AnsiString& telefone, const AnsiString& /*dataDigitos*/,
                  const AnsiString& data, const AnsiString& nome, const AnsiString& descricao,
                  const AnsiString& pessoas, Dbclient::TClientDataSet* reserva) {
    try {
        store(tipo, {hrIni, hrFim, telefone, data, nome, descricao, pessoas}, reserva);
    } catch (const Sysutils::Exception&) {
        throw;
    } catch (const std::exception& error) {
        Raise("ERRO_GRAVAR", AnsiString(error.what()));
    }
}

} // namespace Reservas
