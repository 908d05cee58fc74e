#pragma once

#include "framework/ansistring.h"

#include <QDate>
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace Reservas {

// A touch date picker: one month of large day cells, today marked. Picking a date to book, the
// days before today cannot be chosen and the months before today's cannot be shown. Given a day
// being looked at, it opens on that day's month with the day highlighted, and any day can be
// chosen. Day cells are named "dayYYYYMMDD", the keys "previousMonth", "nextMonth" and "cancel";
// the cell of today has the property "today", that of the day looked at the property "shown".
class TouchCalendarDialog : public QDialog {
    Q_OBJECT

public:
    // shown null: a date to book.
    TouchCalendarDialog(const QDate& today, const QDate& shown, QWidget* parent = nullptr);

    // Null until a day has been tapped.
    QDate ChosenDate() const { return chosen_; }

private:
    void showMonth(const QDate& firstDay);
    void choose(const QDate& day);
    // The first day that can be chosen; null when any can.
    QDate firstChoosable() const;

    static constexpr int weeks = 6;
    static constexpr int daysPerWeek = 7;

    QDate today_;
    QDate shown_;
    QDate shownMonth_;
    QDate chosen_;
    QLabel* title_ = nullptr;
    QPushButton* previousMonth_ = nullptr;
    std::array<QPushButton*, weeks * daysPerWeek> cells_{};
};

// The routine behind TouchCalendar: the chosen date in the short date format, or an empty text
// when the operator cancels. Year, month and day (1-12, 1-31) name the day being looked at, as
// the day window gives it: past days can then be chosen. All three 0, as the entry screen gives
// them, or any that make no date: a date to book, from today on.
AnsiString ShowTouchCalendar(int year, int month, int day);

} // namespace Reservas
