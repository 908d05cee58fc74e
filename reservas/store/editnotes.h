#pragma once

#include "reservationrows.h"

#include <QtGlobal>
#include <optional>

namespace Reservas {

// The reservations this terminal has read for an edit, as it read them: an edit stores only
// over that version.
void NoteReadForEdit(qlonglong number, const StoredRow& row);
std::optional<StoredRow> ReadForEdit(qlonglong number);
void ForgetEdit(qlonglong number);

} // namespace Reservas
