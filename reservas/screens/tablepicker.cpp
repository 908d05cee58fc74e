#include "reservas/hooks.h"
#include "screens/tablegrid.h"

#include <QApplication>
#include <utility>

namespace Reservas {

namespace {

TTablePicker& replacedPicker() {
    static TTablePicker picker;
    return picker;
}

} // namespace

void SetTablePicker(TTablePicker picker) {
    replacedPicker() = std::move(picker);
}

std::optional<std::vector<int>> PickTables(const TableChoice& choice) {
    // A copy, so a picker may replace itself while it runs.
    const TTablePicker picker = replacedPicker();
    if (picker) {
        return picker(choice);
    }
    TableGridDialog grid(choice, QApplication::activeWindow());
    grid.exec();
    return grid.Answer();
}

} // namespace Reservas
