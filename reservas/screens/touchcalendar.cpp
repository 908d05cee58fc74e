#include "screens/touchcalendar.h"

#include "framework/datetime.h"
#include "hostlib/touchscale.h"
#include "packagetexts.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <utility>

namespace Reservas {

namespace {

// Sizes are those of a 1024x768 screen, grown by the touch factor on a larger one.
QString calendarStyle(double scale) {
    const auto pixels = [scale](int design) { return QString::number(Scaled(design, scale)); };
    return QStringLiteral(R"(
QDialog { background: #1f2a36; border: 2px solid #4f7fae; }
QLabel { color: #ffffff; font-size: %1px; }
QLabel#monthTitle { font-size: %2px; font-weight: bold; }
QPushButton { min-width: %3px; min-height: %4px; font-size: %5px; color: #ffffff;
              background: #3a4a5c; border: 1px solid #687c90; border-radius: %6px; }
QPushButton:pressed { background: #6f93b8; }
QPushButton:disabled { color: #6c7884; background: #27323e; }
QPushButton[today="true"] { border: 3px solid #e03c3c; font-weight: bold; }
QPushButton[shown="true"] { background: #4f7fae; border: 3px solid #ffffff; font-weight: bold; }
QPushButton[shown="true"][today="true"] { border-color: #e03c3c; }
QPushButton[blank="true"] { background: transparent; border: none; }
)")
        .arg(pixels(20), pixels(30), pixels(84), pixels(64), pixels(26), pixels(8));
}

const QLocale& calendarLocale() {
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

QPushButton* touchKey(QWidget* parent, const QString& name) {
    auto* key = new QPushButton(parent);
    key->setObjectName(name);
    key->setFocusPolicy(Qt::NoFocus);
    return key;
}

// A chevron pointing left, in the key's own text colour for each of its states, so that it reads
// as the day numbers do, enabled and disabled; pointing right, the same chevron mirrored.
QIcon arrowIcon(QPushButton& key, bool pointingRight) {
    key.ensurePolished();
    const QSize size = key.iconSize();
    const qreal ratio = key.devicePixelRatioF();
    QIcon icon;
    for (const auto& [group, mode] : {std::pair(QPalette::Active, QIcon::Normal),
                                      std::pair(QPalette::Disabled, QIcon::Disabled)}) {
        QImage arrow(size * ratio, QImage::Format_ARGB32_Premultiplied);
        arrow.setDevicePixelRatio(ratio);
        arrow.fill(Qt::transparent);
        QPainter painter(&arrow);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal width = size.width();
        const qreal height = size.height();
        painter.setPen(QPen(key.palette().color(group, QPalette::ButtonText), width / 7,
                            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{{width * 0.65, height * 0.2},
                                       {width * 0.3, height * 0.5},
                                       {width * 0.65, height * 0.8}});
        painter.end();
        icon.addPixmap(QPixmap::fromImage(pointingRight ? arrow.mirrored(true, false) : arrow),
                       mode);
    }
    return icon;
}

// Reapplies the style sheet after a property it selects on has changed.
void restyle(QWidget* widget) {
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

} // namespace

TouchCalendarDialog::TouchCalendarDialog(const QDate& today, const QDate& shown, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), today_(today), shown_(shown) {
    setModal(true);
    // The calendar shows over the window that opened it, on that window's screen.
    const double scale = ScreenTouchScale(parent);
    setStyleSheet(calendarStyle(scale));
    const QSize arrowSize(Scaled(40, scale), Scaled(40, scale));

    previousMonth_ = touchKey(this, QStringLiteral("previousMonth"));
    previousMonth_->setIconSize(arrowSize);
    previousMonth_->setIcon(arrowIcon(*previousMonth_, false));
    connect(previousMonth_, &QPushButton::clicked, this,
            [this] { showMonth(shownMonth_.addMonths(-1)); });
    QPushButton* nextMonth = touchKey(this, QStringLiteral("nextMonth"));
    nextMonth->setIconSize(arrowSize);
    nextMonth->setIcon(arrowIcon(*nextMonth, true));
    connect(nextMonth, &QPushButton::clicked, this,
            [this] { showMonth(shownMonth_.addMonths(1)); });
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("monthTitle"));
    title_->setAlignment(Qt::AlignCenter);

    auto* header = new QHBoxLayout;
    header->addWidget(previousMonth_);
    header->addWidget(title_, 1);
    header->addWidget(nextMonth);

    auto* days = new QGridLayout;
    const int firstWeekDay = calendarLocale().firstDayOfWeek();
    for (int column = 0; column < daysPerWeek; ++column) {
        const int weekDay = (firstWeekDay - 1 + column) % daysPerWeek + 1;
        auto* name = new QLabel(calendarLocale().dayName(weekDay, QLocale::ShortFormat), this);
        name->setAlignment(Qt::AlignCenter);
        days->addWidget(name, 0, column);
    }
    for (std::size_t index = 0; index < cells_.size(); ++index) {
        QPushButton* cell = touchKey(this, QString());
        connect(cell, &QPushButton::clicked, this,
                [this, cell] { choose(cell->property("date").toDate()); });
        const int position = static_cast<int>(index);
        days->addWidget(cell, 1 + position / daysPerWeek, position % daysPerWeek);
        cells_[index] = cell;
    }

    QPushButton* cancel = touchKey(this, QStringLiteral("cancel"));
    cancel->setText(ToQString(Text("CAL_CANCELAR")));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    const int margin = Scaled(16, scale);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(header);
    layout->addLayout(days);
    layout->addWidget(cancel);

    const QDate opening = shown_.isValid() ? shown_ : today_;
    showMonth(QDate(opening.year(), opening.month(), 1));
}

QDate TouchCalendarDialog::firstChoosable() const {
    return shown_.isValid() ? QDate() : today_;
}

void TouchCalendarDialog::showMonth(const QDate& firstDay) {
    shownMonth_ = firstDay;
    QString month = calendarLocale().standaloneMonthName(firstDay.month());
    month[0] = month[0].toUpper();
    title_->setText(ToQString(Text("CAL_TITULO", month, QString::number(firstDay.year()))));
    // Months before the first day that can be chosen hold nothing that can be.
    const QDate first = firstChoosable();
    previousMonth_->setEnabled(!first.isValid() || firstDay > first.addDays(1 - first.day()));

    const int leadingBlanks =
        (firstDay.dayOfWeek() - calendarLocale().firstDayOfWeek() + daysPerWeek) % daysPerWeek;
    for (std::size_t index = 0; index < cells_.size(); ++index) {
        QPushButton* cell = cells_[index];
        const QDate day = firstDay.addDays(static_cast<int>(index) - leadingBlanks);
        const bool inMonth = day.month() == firstDay.month();
        cell->setObjectName(
            inMonth ? QStringLiteral("day") + day.toString(QStringLiteral("yyyyMMdd")) : QString());
        cell->setText(inMonth ? QString::number(day.day()) : QString());
        cell->setProperty("date", inMonth ? day : QDate());
        cell->setProperty("today", inMonth && day == today_);
        cell->setProperty("shown", inMonth && day == shown_);
        cell->setProperty("blank", !inMonth);
        cell->setEnabled(inMonth && (!first.isValid() || day >= first));
        restyle(cell);
    }
}

void TouchCalendarDialog::choose(const QDate& day) {
    chosen_ = day;
    accept();
}

AnsiString ShowTouchCalendar(int year, int month, int day) {
    TouchCalendarDialog calendar(Sysutils::DecodeDateTime(Sysutils::Date()).date(),
                                 QDate(year, month, day), QApplication::activeWindow());
    if (calendar.exec() != QDialog::Accepted) {
        return {};
    }
    return Sysutils::DateToStr(Sysutils::EncodeDateTime(calendar.ChosenDate()));
}

} // namespace Reservas
