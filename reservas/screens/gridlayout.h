#pragma once

#include <QRect>
#include <QSize>

namespace Reservas {

// Where the table grid puts its parts on a screen of the given size for the given number of
// tables. Drawn for 1024x768; a larger screen gives the grid the room it adds, keys and type grow
// by the touch factor and more cells fit on a row and in a column. Many tables make the rows
// lower, down to what a finger can still hit; beyond that the cells scroll.
struct GridLayout {
    GridLayout(const QSize& screen, int tables);

    // Where the cell of the table at index stands among the cells, which scroll as one.
    QRect CellArea(int index) const;
    bool Scrolls() const { return CellsHeight > Cells.height(); }
    // Larger than at 1024x768: the grid covers the screen rather than the entry screen.
    bool Grown() const;

    double Scale = 1;
    QSize Dialog;
    QRect Heading;
    QRect Seats;
    QRect Cells;
    QRect Keys;
    int HeadingPixels = 0;
    int SeatsPixels = 0;
    int KeyPixels = 0;
    int Gap = 0;
    int Columns = 0;
    int RowGap = 0;
    QSize Cell;
    // All rows together, taller than Cells when they scroll.
    int CellsHeight = 0;
};

} // namespace Reservas
