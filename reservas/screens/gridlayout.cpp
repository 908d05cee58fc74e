#include "screens/gridlayout.h"

#include "hostlib/touchscale.h"

#include <algorithm>

namespace Reservas {

namespace {

// At 1024x768 the grid covers the entry screen but for a border; on a larger screen it covers the
// screen but for the same border.
constexpr QSize designScreen(1024, 768);
constexpr QSize designDialog(723, 582);
constexpr int designMargin = 14;
constexpr int designGap = 10;
constexpr QSize designCell(131, 88);
// Five columns and four rows of full-size cells at least; on a row that low the table's number
// still reads and takes a fingertip.
constexpr int fewestColumns = 5;
constexpr int fewestRows = 4;
constexpr int lowestRow = 36;

} // namespace

GridLayout::GridLayout(const QSize& screen, int tables) : Scale(TouchScale(screen)) {
    const auto scaled = [this](int pixels) { return Scaled(pixels, Scale); };
    // A screen larger in one way only (two screens side by side as one) keeps the design's grid.
    Dialog = Scale > 1 ? screen - (designScreen - designDialog) : designDialog;
    const int margin = scaled(designMargin);
    const int inner = Dialog.width() - 2 * margin;
    Gap = scaled(designGap);
    Heading = QRect(margin, margin, inner, scaled(40));
    Seats = QRect(margin, Heading.bottom() + 1, inner, scaled(32));
    Keys = QRect(margin, Dialog.height() - margin - scaled(76), inner, scaled(76));
    const int top = Seats.bottom() + 1 + Gap;
    Cells = QRect(margin, top, inner, Keys.y() - margin - top);
    HeadingPixels = scaled(26);
    SeatsPixels = scaled(20);
    KeyPixels = scaled(24);

    Columns = std::max(fewestColumns, (Cells.width() + Gap) / (scaled(designCell.width()) + Gap));
    const int fullRows =
        std::max(fewestRows, (Cells.height() + Gap) / (scaled(designCell.height()) + Gap));
    const int rows = std::max(fullRows, (tables + Columns - 1) / Columns);
    // The gaps shrink with the rows, so that the cells keep most of the room.
    const auto rowHeight = [&](int shown) {
        return (Cells.height() - Gap * fullRows / shown * (shown - 1)) / shown;
    };
    int shownRows = rows;
    while (shownRows > fullRows && rowHeight(shownRows) < scaled(lowestRow)) {
        --shownRows;
    }
    RowGap = Gap * fullRows / shownRows;
    Cell = QSize((Cells.width() - Gap * (Columns - 1)) / Columns, rowHeight(shownRows));
    CellsHeight = rows * Cell.height() + (rows - 1) * RowGap;
}

bool GridLayout::Grown() const {
    return Dialog != designDialog;
}

QRect GridLayout::CellArea(int index) const {
    return {index % Columns * (Cell.width() + Gap), index / Columns * (Cell.height() + RowGap),
            Cell.width(), Cell.height()};
}

} // namespace Reservas
