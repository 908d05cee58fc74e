#include "reservas/reservationstore.h"

#include "framework/sysutils.h"

namespace Reservas {

namespace {

TTablePicker replacedPicker;

} // namespace

void SetTablePicker(TTablePicker picker) {
    replacedPicker = std::move(picker);
}

std::optional<std::vector<int>> PickTables(const TableChoice& choice) {
    if (replacedPicker) {
        return replacedPicker(choice);
    }
    throw Sysutils::Exception("the table grid is not built yet");
}

} // namespace Reservas
