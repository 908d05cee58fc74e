#pragma once

#include "framework/ansistring.h"

#include <QDate>
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace Reservas {

// A touch date picker: one month of large day cells, today marked, the days before today not
// selectable. Day cells are named "dayYYYYMMDD", the keys "previousMonth", "nextMonth" and
// "cancel".
class TouchCalendarDialog : public QDialog {
    Q_OBJECT

public:
    explicit TouchCalendarDialog(const QDate& today, QWidget* parent = nullptr);

    // Null until a day has been tapped.
    QDate ChosenDate() const { return chosen_; }

private:
    void showMonth(const QDate& firstDay);
    void choose(const QDate& day);

    static constexpr int weeks = 6;
    static constexpr int daysPerWeek = 7;

    QDate today_;
    QDate shownMonth_;
    QDate chosen_;
    QLabel* title_ = nullptr;
    QPushButton* previousMonth_ = nullptr;
    std::array<QPushButton*, weeks * daysPerWeek> cells_{};
};

// The routine behind TouchCalendar: the chosen date in the short date format, or an empty text
// when the operator cancels. Its three arguments carry nothing.
AnsiString ShowTouchCalendar(int, int, int);

} // namespace Reservas
