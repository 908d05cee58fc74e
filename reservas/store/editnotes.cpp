#include "editnotes.h"

#include "storetexts.h"

#include <QHash>
#include <mutex>

namespace Reservas {

namespace {

// Noted and read on the database thread, and by a thread given up on that still finishes.
std::mutex notesMutex;

QHash<qlonglong, StoredRow>& notes() {
    static QHash<qlonglong, StoredRow> read;
    return read;
}

} // namespace

void NoteReadForEdit(qlonglong number, const StoredRow& row) {
    const std::lock_guard lock(notesMutex);
    notes().insert(number, row);
}

std::optional<StoredRow> ReadForEdit(qlonglong number) {
    const std::lock_guard lock(notesMutex);
    const auto found = notes().constFind(number);
    if (found == notes().constEnd()) {
        return std::nullopt;
    }
    return *found;
}

void ForgetEdit(qlonglong number) {
    const std::lock_guard lock(notesMutex);
    notes().remove(number);
}

ReservationChanged::ReservationChanged(qlonglong number, StoredReservation read,
                                       StoredReservation now, qlonglong nowVersion)
    : Sysutils::Exception(Text("RESERVA_ALTERADA", QString::number(number))), number_(number),
      read_(std::move(read)), now_(std::move(now)), nowVersion_(nowVersion) {}

void ContinueEditFrom(const ReservationChanged& change) {
    NoteReadForEdit(change.Number(), {change.Now(), change.NowVersion()});
}

} // namespace Reservas
