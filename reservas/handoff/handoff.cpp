#include "handoff/handoff.h"

#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "handoff/handoffinput.h"
#include "hostlib/mensagem.h"
#include "hostlib/parameters.h"
#include "hostlib/pergunta.h"
#include "packagetexts.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"
#include "reservas/store.h"

#include <QString>
#include <QStringList>
#include <QTime>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <functional>
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
    // To the second, as the store keeps it.
    const QDateTime now = Sysutils::DecodeDateTime(Sysutils::Now()).addMSecs(500);
    reservation.DTHRINCLURES =
        QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
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
    choice.TakenUntil = around.TakenUntil;
    choice.Picked = freeOf(picked, choice.Taken);
    choice.People = ToQString(reservation.NRPESRESMESA).toInt();
    choice.Heading =
        Text("MESAS_TITULO", reservation.DTRESMESA.toString(QStringLiteral("dd/MM/yyyy")),
             shownTime(reservation.HRINIRESMESA), shownTime(reservation.HRFINRESMESA),
             reservation.NMRESMESA);
    choice.SchemeId = DisplayScheme();
    return choice;
}

void warn(const AnsiString& text, const AnsiString& schemeId) {
    Mensagem(text, "", "S", "N", tmWarning, "", schemeId, 0, nullptr);
}

// Those of the tables the grid would start from that are taken at the reservation's times, said
// to the operator: an edit's own tables its new times lose, or picks another terminal took since.
void warnOfLostTables(const std::vector<int>& wanted, const TablesAround& around) {
    std::vector<int> lost;
    std::set_intersection(wanted.begin(), wanted.end(), around.Taken.begin(), around.Taken.end(),
                          std::back_inserter(lost));
    if (!lost.empty()) {
        warn(TablesTaken(lost).Message(), DisplayScheme());
    }
}

// The identity of this entry's hand-off, kept with the entry's dataset until it is stored:
// every retry of the same entry carries the same one, so that the store keeps it at most once.
constexpr const char* identityProperty = "reservas.identidadeEntrega";

QString handOffIdentity(Dbclient::TClientDataSet* reserva) {
    if (reserva == nullptr) {
        return QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
    QString identity = reserva->property(identityProperty).toString();
    if (identity.isEmpty()) {
        identity = QUuid::createUuid().toString(QUuid::WithoutBraces);
        reserva->setProperty(identityProperty, identity);
    }
    return identity;
}

// Tells the operator what another terminal changed in the reservation being edited and asks
// whether to go on from there; the entry stays on the screen either way, nothing typed lost.
[[noreturn]] void answerChange(const ReservationChanged& change) {
    using Shown = QString (*)(const StoredReservation&);
    // Each field the operator can see, as the entry screen shows it.
    static const std::pair<const char*, Shown> fields[] = {
        {"CAMPO_DATA",
         [](const StoredReservation& r) {
             return r.DTRESMESA.toString(QStringLiteral("dd/MM/yyyy"));
         }},
        {"CAMPO_HRINI", [](const StoredReservation& r) { return shownTime(r.HRINIRESMESA); }},
        {"CAMPO_HRFIM", [](const StoredReservation& r) { return shownTime(r.HRFINRESMESA); }},
        {"CAMPO_NOME", [](const StoredReservation& r) { return ToQString(r.NMRESMESA); }},
        {"CAMPO_TELEFONE", [](const StoredReservation& r) { return ToQString(r.NRTELRESMESA); }},
        {"CAMPO_PESSOAS", [](const StoredReservation& r) { return ToQString(r.NRPESRESMESA); }},
        {"CAMPO_DESCRICAO", [](const StoredReservation& r) { return ToQString(r.DSRESMESA); }},
        {"CAMPO_SITUACAO",
         [](const StoredReservation& r) { return ToQString(StatusWord(r.IDSTRESMESA)); }}};
    QStringList changed;
    for (const auto& [label, shown] : fields) {
        const QString before = shown(change.Read());
        const QString now = shown(change.Now());
        if (before != now) {
            changed << ToQString(Text("CAMPO_ALTERADO", Text(label), before, now));
        }
    }
    if (Pergunta(Text("CONTINUAR_ALTERACAO", change.Message(), changed.join(QStringLiteral("; "))),
                 DisplayScheme())) {
        ContinueEditFrom(change);
    }
    Sysutils::Abort();
}

// The tables picked for this entry, kept with its dataset from the grid's last answer (or the
// operator going back from it) until the entry is stored: a grid opened again for the same entry
// starts from them rather than from nothing.
constexpr const char* picksProperty = "reservas.mesasEscolhidas";

using PicksKeeper = std::function<void(const std::vector<int>&)>;

std::optional<std::vector<int>> keptPicks(Dbclient::TClientDataSet* reserva) {
    const QVariant kept = reserva != nullptr ? reserva->property(picksProperty) : QVariant();
    if (!kept.isValid()) {
        return std::nullopt;
    }
    const auto tables = kept.value<QList<int>>();
    return std::vector<int>(tables.begin(), tables.end());
}

PicksKeeper picksKeeper(Dbclient::TClientDataSet* reserva) {
    if (reserva == nullptr) {
        return [](const std::vector<int>&) {};
    }
    return [reserva](const std::vector<int>& picked) {
        reserva->setProperty(picksProperty,
                             QVariant::fromValue(QList<int>(picked.begin(), picked.end())));
    };
}

// Stores the reservation with the tables the operator picks among found, starting from wanted,
// through storeWith; keep is told every pick. A table another terminal took meanwhile is said,
// and the grid comes back with it taken; going back from the grid aborts, leaving the entry on
// the screen.
Booking bookWithTables(const StoredReservation& reservation, std::optional<qlonglong> editing,
                       BookingTables found, std::vector<int> wanted, const PicksKeeper& keep,
                       const std::function<Booking(const std::vector<int>&)>& storeWith) {
    std::sort(wanted.begin(), wanted.end());
    warnOfLostTables(wanted, found.Around);
    TableChoice choice = choiceFor(reservation, found.Around, std::move(found.Tables), wanted);
    for (;;) {
        // While the grid is open another terminal may take a table: the grid asks again, and
        // is told until when each is taken.
        choice.RefreshTaken = [reservation, editing] {
            return TablesForBooking(reservation, editing).Around;
        };
        choice.GoneBackWith = keep;
        const std::optional<std::vector<int>> picked = PickTables(choice);
        if (!picked) {
            Sysutils::Abort();
        }
        keep(*picked);
        try {
            return storeWith(*picked);
        } catch (const TablesTaken& taken) {
            warn(taken.Message(), choice.SchemeId);
            std::vector<int> stillWanted = *picked;
            std::sort(stillWanted.begin(), stillWanted.end());
            choice = choiceFor(reservation, TablesForBooking(reservation, editing).Around,
                               std::move(choice.Tables), stillWanted);
        }
    }
}

// Another reservation of the same telephone at an overlapping time is most likely the same
// guest booked twice: the operator decides before any table is picked. Answered no, the entry
// stays on the screen, as after going back from the grid.
void confirmSameTelephone(const StoredReservation& reservation, std::optional<qlonglong> editing,
                          const QString& identity) {
    const std::optional<AnsiString> other = SameTelephoneAt(reservation, editing, identity);
    if (other && !Pergunta(Text("TELEFONE_REPETIDO", shownTime(*other)), DisplayScheme())) {
        Sysutils::Abort();
    }
}

Booking storeEntered(int tipo, const StoredReservation& entered,
                     Dbclient::TClientDataSet* reserva) {
    const std::optional<qlonglong> editing =
        tipo == EditReservation ? std::optional(editedNumber(reserva)) : std::nullopt;
    const StoredReservation reservation = editing ? entered : newReservation(entered, reserva);
    const QString identity = handOffIdentity(reserva);
    confirmSameTelephone(reservation, editing, identity);
    BookingTables found = TablesForBooking(reservation, editing);
    try {
        if (!found.Tables.empty()) {
            // An edit starts from its stored tables, a new entry from none.
            std::vector<int> wanted = keptPicks(reserva).value_or(found.Around.Held);
            return bookWithTables(reservation, editing, std::move(found), std::move(wanted),
                                  picksKeeper(reserva), [&](const std::vector<int>& picked) {
                                      return BookReservation(reservation, editing, picked,
                                                             identity);
                                  });
        }
        // A restaurant that assigns no tables: stored at once, an edit keeping what it holds.
        return BookReservation(reservation, editing,
                               editing ? std::nullopt : std::optional(std::vector<int>()),
                               identity);
    } catch (const ReservationChanged& change) {
        answerChange(change);
    }
}

// Table numbers as the messages list them.
QString tableList(const std::vector<int>& mesas) {
    QStringList numbers;
    for (const int mesa : mesas) {
        numbers << QString::number(mesa);
    }
    return numbers.join(QStringLiteral(", "));
}

// What the operator is told once the reservation is stored, or found stored by an earlier try.
AnsiString storedText(const Booking& booking) {
    if (!booking.AlreadyStored) {
        return Text("GRAVADA", booking.Nrresmesa);
    }
    if (booking.Mesas.empty()) {
        return Text("JA_GRAVADA_SEM_MESA", booking.Nrresmesa);
    }
    return Text("JA_GRAVADA", booking.Nrresmesa, tableList(booking.Mesas));
}

void store(int tipo, const HandOffTexts& texts, Dbclient::TClientDataSet* reserva) {
    const Booking booking = storeEntered(tipo, ReadHandOff(texts), reserva);
    // Stored: whatever this dataset carries next is another entry.
    if (reserva != nullptr) {
        reserva->setProperty(identityProperty, QVariant());
        reserva->setProperty(picksProperty, QVariant());
    }
    if (storedObserver) {
        storedObserver(booking.Nrresmesa, booking.Mesas);
    }
    Mensagem(storedText(booking), "", "N", "N", tmNotice, "", DisplayScheme(), 0, nullptr);
}

// Said once a cancelled reservation holds its tables again.
AnsiString reactivatedText(const AnsiString& nrresmesa, const std::vector<int>& mesas) {
    if (mesas.empty()) {
        return Text("REATIVADA_SEM_MESA", nrresmesa);
    }
    return Text("REATIVADA", nrresmesa, tableList(mesas));
}

} // namespace

std::optional<ReactivateResult> BringBackReservation(const AnsiString& nrresmesa,
                                                     qlonglong seenVersion) {
    const std::optional<StoredReservation> stored = FindReservation(nrresmesa);
    if (!stored) {
        return ReactivateResult::NotFound;
    }
    ReactivateResult result = ReactivateResult::Reactivated;
    const auto reactivate = [&](const std::vector<int>& mesas) {
        result = ReactivateReservation(nrresmesa, seenVersion, mesas);
        return Booking{nrresmesa, mesas};
    };
    const std::optional<qlonglong> number = ReservationNumber(nrresmesa);
    BookingTables found = TablesForBooking(*stored, number);
    std::vector<int> held = found.Around.Held;
    Booking booking;
    try {
        booking = found.Tables.empty()
                      ? reactivate({})
                      : bookWithTables(*stored, number, std::move(found), std::move(held),
                                       picksKeeper(nullptr), reactivate);
    } catch (const Sysutils::EAbort&) {
        return std::nullopt;
    }
    if (result == ReactivateResult::Reactivated) {
        Mensagem(reactivatedText(booking.Nrresmesa, booking.Mesas), "", "N", "N", tmNotice, "",
                 DisplayScheme(), 0, nullptr);
    }
    return result;
}

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
        throw Sysutils::Exception(Text("ERRO_GRAVAR"), AnsiString(error.what()));
    }
}

} // namespace Reservas
