#include "../support/endmodal.h"
#include "../support/screenwindow.h"
#include "framework/datetime.h"
#include "reservas/reservas.h"
#include "reservationprinter.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

QPushButton* key(QDialog& calendar, const char* name) {
    return calendar.findChild<QPushButton*>(QString::fromLatin1(name));
}

void tap(QDialog& calendar, const char* name) {
    QPushButton* pressed = key(calendar, name);
    QVERIFY2(pressed != nullptr, name);
    QTest::mouseClick(pressed, Qt::LeftButton);
}

// Whether the key, drawn as it stands, shows its icon in colour somewhere.
bool iconDrawnIn(QPushButton& key, const QColor& colour) {
    const QImage drawn = key.grab().toImage();
    QRect icon(QPoint(), key.iconSize());
    icon.moveCenter(drawn.rect().center());
    for (int y = icon.top(); y <= icon.bottom(); ++y) {
        for (int x = icon.left(); x <= icon.right(); ++x) {
            if (drawn.pixelColor(x, y).rgb() == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class CalendarTest : public QObject {
    Q_OBJECT

private:
    bool leftOpen_ = false;

    // Opens the calendar through its entry point, for the day looked at when one is given and
    // for a date to book otherwise, and runs the taps once it shows. A calendar the taps leave
    // open is cancelled, and leftOpen_ says so.
    AnsiString pick(const std::function<void(QDialog&)>& taps, int year = 0, int month = 0,
                    int day = 0) {
        leftOpen_ = false;
        QTimer::singleShot(0, this, [this, &taps] {
            auto* calendar = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(calendar != nullptr);
            const EndModalOnExit end(calendar);
            taps(*calendar);
            leftOpen_ = calendar->isVisible();
        });
        return TouchCalendar(year, month, day);
    }

private slots:
    void init() {
        Sysutils::SetClock([] { return QDateTime(QDate(2026, 12, 7), QTime(15, 0)); });
    }
    void cleanup() { Sysutils::SetClock({}); }

    void tappedDayIsReturnedAsAShortDate_data() {
        QTest::addColumn<QByteArray>("day");
        QTest::addColumn<QByteArray>("date");
        QTest::newRow("today") << QByteArray("day20261207") << QByteArray("07/12/2026");
        QTest::newRow("later this month") << QByteArray("day20261231") << QByteArray("31/12/2026");
    }
    void tappedDayIsReturnedAsAShortDate() {
        QFETCH(QByteArray, day);
        QFETCH(QByteArray, date);
        QCOMPARE(pick([&](QDialog& calendar) { tap(calendar, day.constData()); }),
                 date.toStdString());
        QVERIFY(!leftOpen_);
    }

    void cancellingReturnsNothing() {
        QCOMPARE(pick([](QDialog& calendar) { tap(calendar, "cancel"); }), AnsiString());
        QVERIFY(!leftOpen_);
        QCOMPARE(pick([](QDialog& calendar) { QTest::keyClick(&calendar, Qt::Key_Escape); }),
                 AnsiString());
        QVERIFY(!leftOpen_);
    }

    void daysBeforeTodayCannotBeChosen() {
        const AnsiString chosen = pick([](QDialog& calendar) {
            QVERIFY(!key(calendar, "day20261201")->isEnabled());
            QVERIFY(!key(calendar, "day20261206")->isEnabled());
            QVERIFY(key(calendar, "day20261207")->isEnabled());
            QVERIFY(!key(calendar, "previousMonth")->isEnabled());
            tap(calendar, "day20261206");
        });
        QVERIFY(leftOpen_);
        QCOMPARE(chosen, AnsiString());
    }

    // A date to book starts today and the way back stops at today's month; a day looked at opens
    // its month, drawn apart from today, and any day can be chosen. Days grow with the screen.
    void whatCanBeChosenFollowsTheMode_data() {
        QTest::addColumn<QList<int>>("shown"); // year, month, day
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("firstChoosable");
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<int>("dayHeight");
        QTest::newRow("to book") << QList<int>{0, 0, 0} << QSize(1024, 768) << "day20261207"
                                 << "" << 64;
        QTest::newRow("looked at, past, 1920x1080")
            << QList<int>{2026, 10, 15} << QSize(1920, 1080) << "day20261001"
            << "day20261015" << 90;
        QTest::newRow("looked at, this month")
            << QList<int>{2026, 12, 3} << QSize(1024, 768) << "day20261201"
            << "day20261203" << 64;
    }
    void whatCanBeChosenFollowsTheMode() {
        QFETCH(QList<int>, shown);
        QFETCH(QSize, screen);
        QFETCH(QString, firstChoosable);
        QFETCH(QString, highlighted);
        QFETCH(int, dayHeight);
        const std::unique_ptr<QWidget> window = WindowCovering(screen);
        QVERIFY(window != nullptr);
        const auto taps = [&](QDialog& calendar) {
            QVERIFY(window->screen()->geometry().contains(calendar.frameGeometry()));
            QStringList choosable;
            QString marked;
            for (const QPushButton* cell : calendar.findChildren<QPushButton*>()) {
                if (cell->objectName().startsWith("day") && cell->isEnabled()) {
                    choosable << cell->objectName();
                }
                if (cell->property("shown").toBool()) {
                    marked += cell->objectName();
                    QVERIFY(cell->height() >= dayHeight && cell->height() < dayHeight * 5 / 4);
                }
            }
            QCOMPARE(choosable.front(), firstChoosable);
            QCOMPARE(marked, highlighted);
            if (marked == "day20261203") {
                const auto border = [](QPushButton* cell) {
                    return cell->grab().toImage().pixelColor(1, cell->height() / 2);
                };
                QVERIFY(border(key(calendar, "day20261203")) !=
                        border(key(calendar, "day20261207")));
            }
            const QString opened = calendar.findChild<QLabel*>("monthTitle")->text();
            for (int back = 0; back < 4; ++back) {
                tap(calendar, "previousMonth");
            }
            QCOMPARE(calendar.findChild<QLabel*>("monthTitle")->text() == opened, marked.isEmpty());
        };
        QCOMPARE(pick(taps, shown[0], shown[1], shown[2]), AnsiString());
    }

    void onlyTodayIsMarked() {
        pick([](QDialog& calendar) {
            QStringList marked;
            for (const QPushButton* cell : calendar.findChildren<QPushButton*>()) {
                if (cell->property("today").toBool()) {
                    marked << cell->objectName();
                }
            }
            QCOMPARE(marked, QStringList{"day20261207"});
        });
    }

    // December 2026 begins on a Tuesday; weeks run from Sunday.
    void daysStandUnderTheirWeekDays() {
        pick([](QDialog& calendar) {
            QCOMPARE(key(calendar, "day20261201")->x(), key(calendar, "day20261208")->x());
            QCOMPARE(key(calendar, "day20261206")->x(), key(calendar, "day20261227")->x());
            QVERIFY(key(calendar, "day20261206")->x() < key(calendar, "day20261201")->x());
            QVERIFY(key(calendar, "day20261201")->y() < key(calendar, "day20261206")->y());
        });
        QVERIFY(leftOpen_);
    }

    void monthsCanBeTurnedForwardAndBack() {
        const AnsiString chosen = pick([](QDialog& calendar) {
            auto* title = calendar.findChild<QLabel*>("monthTitle");
            QVERIFY(title != nullptr);
            QCOMPARE(title->text(), QStringLiteral("Dezembro de 2026"));

            tap(calendar, "nextMonth");
            QCOMPARE(title->text(), QStringLiteral("Janeiro de 2027"));
            QVERIFY(key(calendar, "day20261224") == nullptr);
            QVERIFY(key(calendar, "day20270101")->isEnabled());
            QVERIFY(key(calendar, "previousMonth")->isEnabled());

            tap(calendar, "previousMonth");
            QCOMPARE(title->text(), QStringLiteral("Dezembro de 2026"));
            QVERIFY(key(calendar, "day20270101") == nullptr);
            QVERIFY(!key(calendar, "day20261206")->isEnabled());
            QVERIFY(!key(calendar, "previousMonth")->isEnabled());

            tap(calendar, "nextMonth");
            tap(calendar, "nextMonth");
            QCOMPARE(title->text(), QStringLiteral("Fevereiro de 2027"));
            QVERIFY(key(calendar, "day20270228") != nullptr);
            QVERIFY(key(calendar, "day20270301") == nullptr);
            tap(calendar, "day20270228");
        });
        QVERIFY(!leftOpen_);
        QCOMPARE(chosen, AnsiString("28/02/2027"));
    }

    // Both month keys show one arrow, mirrored, drawn as the day numbers are in the same state:
    // in December the way back is disabled, in January both ways are open.
    void monthArrowsLookAlikeAndShowTheirState() {
        pick([](QDialog& calendar) {
            QPushButton* previous = key(calendar, "previousMonth");
            QPushButton* next = key(calendar, "nextMonth");
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                QCOMPARE(next->icon().pixmap(next->iconSize(), mode).toImage(),
                         previous->icon()
                             .pixmap(previous->iconSize(), mode)
                             .toImage()
                             .mirrored(true, false));
            }
            const QColor dayNumber = key(calendar, "day20261207")
                                         ->palette()
                                         .color(QPalette::Active, QPalette::ButtonText);
            const QColor pastDayNumber = key(calendar, "day20261201")
                                             ->palette()
                                             .color(QPalette::Disabled, QPalette::ButtonText);
            QVERIFY(iconDrawnIn(*previous, pastDayNumber));
            QVERIFY(iconDrawnIn(*next, dayNumber));
            tap(calendar, "nextMonth");
            QVERIFY(iconDrawnIn(*previous, dayNumber));
        });
    }
};

QTEST_MAIN(CalendarTest)

#include "test_calendar.moc"
