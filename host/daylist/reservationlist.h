#pragma once

#include "daylist/daydisplay.h"
#include "hostlib/messagescheme.h"

#include <QTableWidget>
#include <vector>

class QLabel;
class TwoLineCell;

// The day's reservations, one large row each, in the scheme's colours; a cancelled one dimmed
// and struck through. A tap selects a row; a finger's drag scrolls it, selecting nothing. It never
// takes the keyboard: the keys go to the form, which moves the selection itself.
class ReservationList : public QTableWidget {
    Q_OBJECT

public:
    ReservationList(const MessageScheme& scheme, QWidget* parent);

    // Shows rows; the reservation selected before stays selected if it is still there. The
    // same day read again keeps its place in the list.
    void ShowRows(const std::vector<DayRow>& rows, bool sameDay);
    // The selected row, or nullptr.
    const DayRow* Selected() const;
    // Moves the selection by step rows, stopping at either end; without a selection, a step
    // down selects the first row and a step up the last.
    void MoveSelection(int step);
    // Selects the reservation numbered number, if the list shows it; false when it does not.
    bool SelectNumber(const AnsiString& number);
    // Rows, type and columns grown by scale (1: as drawn for 1024x768).
    void FitRows(double scale);

private:
    void selectAndShow(int row);
    QFont struckFont() const;

    MessageScheme scheme_;
    TwoLineCell* cells_ = nullptr;
    std::vector<DayRow> rows_;
    QColor dim_;
    QLabel* empty_ = nullptr;
};
