#include "databaseconnection.h"
#include "databasethread.h"
#include "editnotes.h"
#include "reservas/store.h"
#include "reservationcolumns.h"
#include "reservationrows.h"
#include "serverbooking.h"
#include "storetexts.h"
#include "tableholdings.h"

#include <QStringList>
#include <algorithm>

namespace Reservas {

namespace {

AnsiString takenText(const std::vector<int>& mesas) {
    if (mesas.size() == 1) {
        return Text("MESA_OCUPADA", QString::number(mesas.front()));
    }
    QStringList numbers;
    for (const int mesa : mesas) {
        numbers << QString::number(mesa);
    }
    return Text("MESAS_OCUPADAS", numbers.join(QStringLiteral(", ")));
}

// The picked tables another reservation holds by now, or that the restaurant no longer has.
std::vector<int> lostTables(const ReservationDatabase& database,
                            const StoredReservation& reservation, qlonglong except,
                            const std::vector<int>& mesas) {
    const std::vector<int> tables = TableNumbers(database);
    const std::vector<int> taken = TablesTakenAt(database, reservation, except);
    std::vector<int> lost;
    for (const int mesa : mesas) {
        if (std::binary_search(taken.begin(), taken.end(), mesa) ||
            !std::binary_search(tables.begin(), tables.end(), mesa)) {
            lost.push_back(mesa);
        }
    }
    return lost;
}

// Why the edit of the reservation numbered number stored nothing: it is gone, cancelled, or
// changed since this terminal read it.
[[noreturn]] void refuseEdit(const ReservationDatabase& database, qlonglong number,
                             const std::optional<StoredRow>& read) {
    const std::optional<StoredRow> now = SelectReservation(database, number);
    if (!now) {
        Raise("RESERVA_INEXISTENTE", QString::number(number));
    }
    if (now->Reservation.IDSTRESMESA == "C") {
        Raise("RESERVA_CANCELADA", QString::number(number));
    }
    throw ReservationChanged(number, read ? read->Reservation : now->Reservation, now->Reservation,
                             now->Versao);
}

// The entry screen holds no more of a text than its column's length: a longer value another
// writer stored comes back cut, though the operator never touched it. It stays as stored.
StoredReservation keepUncut(StoredReservation entered, const StoredReservation& read) {
    for (const ReservationColumn& column : ReservationColumns) {
        if (column.Text == nullptr || column.Size == 0) {
            continue;
        }
        const AnsiString& stored = read.*column.Text;
        AnsiString& now = entered.*column.Text;
        if (stored.size() > column.Size && now == stored.substr(0, column.Size)) {
            now = stored;
        }
    }
    return entered;
}

Booking storeOnServer(const ReservationDatabase& database, const StoredReservation& reservation,
                      std::optional<qlonglong> editing,
                      const std::optional<std::vector<int>>& mesas, const QString& identity) {
    std::optional<StoredRow> read;
    StoredReservation stored = reservation;
    if (editing) {
        read = ReadForEdit(*editing);
        if (read) {
            stored = keepUncut(reservation, read->Reservation);
        }
    }
    // Without an identity a second run could store the reservation twice.
    if (identity.isEmpty()) {
        database.NoRetryFromHere();
    }
    ServerBookingOutcome outcome =
        BookOnServer(database, stored, editing, read ? read->Versao : 0, mesas, identity);
    using Kind = ServerBookingOutcome::Kind;
    switch (outcome.Outcome) {
    case Kind::StoredBefore:
        return {FromQString(QString::number(outcome.Number)), std::move(outcome.Mesas), true};
    case Kind::TablesTaken:
        throw TablesTaken(std::move(outcome.Mesas));
    case Kind::EditRefused:
        refuseEdit(database, editing.value_or(0), read);
    case Kind::Stored:
        break;
    }
    if (editing) {
        ForgetEdit(*editing);
    }
    return {FromQString(QString::number(outcome.Number)), std::move(outcome.Mesas)};
}

Booking storeBooking(const ReservationDatabase& database, const StoredReservation& reservation,
                     std::optional<qlonglong> editing, const std::optional<std::vector<int>>& mesas,
                     const QString& identity) {
    if (database.Engine() == DatabaseEngine::PostgreSQL) {
        return storeOnServer(database, reservation, editing, mesas, identity);
    }
    WriteTransaction transaction(database);
    // A retry of a hand-off whose storing went through, though its answer never came back.
    if (!identity.isEmpty()) {
        if (const std::optional<qlonglong> earlier = StoredByHandOff(database, identity)) {
            return {FromQString(QString::number(*earlier)), TablesHeldBy(database, *earlier), true};
        }
    }
    std::vector<int> held;
    if (mesas) {
        held = *mesas;
        std::vector<int> lost = lostTables(database, reservation, editing.value_or(0), held);
        if (!lost.empty()) {
            throw TablesTaken(std::move(lost));
        }
    }
    qlonglong number = 0;
    if (editing) {
        number = *editing;
        const std::optional<StoredRow> read = ReadForEdit(number);
        const StoredReservation edited =
            read ? keepUncut(reservation, read->Reservation) : reservation;
        if (!UpdateReservation(database, edited, number, read ? read->Versao : 0, identity)) {
            refuseEdit(database, number, read);
        }
    } else {
        number = InsertReservation(database, reservation, identity);
    }
    if (mesas) {
        HoldTables(database, reservation, number, held);
    } else {
        MoveHeldTables(database, reservation, number);
        held = TablesHeldBy(database, number);
    }
    transaction.Commit();
    if (editing) {
        ForgetEdit(number);
    }
    return {FromQString(QString::number(number)), held};
}

ReactivateResult reactivate(const ReservationDatabase& database, qlonglong number,
                            qlonglong seenVersion, const std::vector<int>& mesas) {
    WriteTransaction transaction(database);
    const std::optional<StoredRow> row = SelectReservation(database, number);
    if (!row) {
        return ReactivateResult::NotFound;
    }
    if (row->Reservation.IDSTRESMESA != "C") {
        return ReactivateResult::NotCancelled;
    }
    if (seenVersion != 0 && seenVersion != row->Versao) {
        return ReactivateResult::Changed;
    }
    std::vector<int> lost = lostTables(database, row->Reservation, number, mesas);
    if (!lost.empty()) {
        throw TablesTaken(std::move(lost));
    }
    // Pending again before it holds anything: the database lets no cancelled reservation hold a
    // table.
    if (!SetStatusAt(database, number, row->Versao, "P")) {
        return ReactivateResult::Changed;
    }
    HoldTables(database, row->Reservation, number, mesas);
    transaction.Commit();
    return ReactivateResult::Reactivated;
}

std::vector<int> ascendingOnce(std::vector<int> mesas) {
    // Held in ascending order, so two terminals holding the same tables never wait on each
    // other in a circle.
    std::sort(mesas.begin(), mesas.end());
    mesas.erase(std::unique(mesas.begin(), mesas.end()), mesas.end());
    return mesas;
}

} // namespace

TablesTaken::TablesTaken(std::vector<int> mesas)
    : Sysutils::Exception(takenText(mesas)), mesas_(std::move(mesas)) {}

BookingTables TablesForBooking(const StoredReservation& reservation,
                               std::optional<qlonglong> editing) {
    return OnDatabaseThread([reservation, editing] {
        const ReservationDatabase database(DatabaseAccess::Write);
        return TablesAndHoldings(database, reservation, editing.value_or(0));
    });
}

Booking BookReservation(const StoredReservation& reservation, std::optional<qlonglong> editing,
                        const std::optional<std::vector<int>>& mesas, const QString& identity) {
    const std::optional<std::vector<int>> wanted =
        mesas ? std::optional(ascendingOnce(*mesas)) : std::nullopt;
    return OnDatabaseThread([reservation, editing, wanted, identity] {
        const ReservationDatabase database(DatabaseAccess::Write);
        // On a server, bookings run side by side: another terminal may hold a table between this
        // one's check and its storing, and the database refuses the second holding.
        constexpr int attempts = 3;
        for (int attempt = 1;; ++attempt) {
            try {
                return storeBooking(database, reservation, editing, wanted, identity);
            } catch (const HoldingConflict&) {
                const std::vector<int> held =
                    wanted ? *wanted : TablesHeldBy(database, editing.value_or(0));
                std::vector<int> lost =
                    lostTables(database, reservation, editing.value_or(0), held);
                if (!lost.empty()) {
                    throw TablesTaken(std::move(lost));
                }
                // The holding that stood in the way went again before it could be named.
                if (attempt == attempts) {
                    Raise("BD_OCUPADO");
                }
            }
        }
    });
}

ReactivateResult ReactivateReservation(const AnsiString& nrresmesa, qlonglong seenVersion,
                                       const std::vector<int>& mesas) {
    const std::optional<qlonglong> number = ReservationNumber(nrresmesa);
    if (!number) {
        return ReactivateResult::NotFound;
    }
    return OnDatabaseThread([number = *number, seenVersion, wanted = ascendingOnce(mesas)] {
        const ReservationDatabase database(DatabaseAccess::Write);
        try {
            return reactivate(database, number, seenVersion, wanted);
        } catch (const HoldingConflict&) {
            // Another terminal held one of them between the check and the holding.
            StoredReservation reservation;
            if (const std::optional<StoredRow> row = SelectReservation(database, number)) {
                reservation = row->Reservation;
            }
            std::vector<int> lost = lostTables(database, reservation, number, wanted);
            if (lost.empty()) {
                Raise("BD_OCUPADO");
            }
            throw TablesTaken(std::move(lost));
        }
    });
}

} // namespace Reservas
