#include "../support/endmodal.h"
#include "../support/screenwindow.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/pergunta.h"
#include "reservas/hooks.h"
#include "reservationprinter.h"
#include "storefixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

using Reservas::TableChoice;
using Answer = std::optional<std::vector<int>>;

namespace {

// Five tables of different sizes, not in the order of their numbers; table 3 is held by another
// reservation.
TableChoice sampleChoice() {
    TableChoice choice;
    choice.Tables = {{8, 8}, {1, 4}, {5, 4}, {2, 2}, {3, 6}};
    choice.Taken = {3};
    choice.Heading = "07/12/2026  19:30 - 21:30  Ana";
    return choice;
}

TableChoice numberedTables(int count) {
    TableChoice choice;
    for (int number = 1; number <= count; ++number) {
        choice.Tables.push_back({number, 4});
    }
    return choice;
}

TBlendedButton* key(QDialog& grid, const QString& name) {
    return grid.findChild<TBlendedButton*>(name);
}

// "Return", "Escape" and "heldReturn" (auto-repeated, as from a key still held) press keys;
// any other step taps the key of that name.
void act(QDialog& grid, const QString& step) {
    if (step == QLatin1String("Return")) {
        QTest::keyClick(&grid, Qt::Key_Return);
    } else if (step == QLatin1String("Escape")) {
        QTest::keyClick(&grid, Qt::Key_Escape);
    } else if (step == QLatin1String("heldReturn")) {
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&grid, &held);
    } else {
        TBlendedButton* pressed = key(grid, step);
        QVERIFY2(pressed != nullptr, qPrintable(step));
        QTest::mouseClick(pressed, Qt::LeftButton);
    }
}

// An evening reservation on 07/12/2026, for four.
Reservas::StoredReservation evening(const char* name, const char* start, const char* end) {
    Reservas::StoredReservation reservation;
    reservation.NMRESMESA = name;
    reservation.DTRESMESA = QDate(2026, 12, 7);
    reservation.HRINIRESMESA = start;
    reservation.HRFINRESMESA = end;
    reservation.NRTELRESMESA = "1133334444";
    reservation.NRPESRESMESA = "4";
    reservation.IDSTRESMESA = "P";
    return reservation;
}

QColor faceColour(QWidget& cell) {
    return cell.grab().toImage().pixelColor(cell.width() / 2, 3);
}

} // namespace

class TableGridTest : public QObject {
    Q_OBJECT

private:
    bool opened_ = false;
    bool leftOpen_ = false;

    // Opens the grid through PickTables and runs the checks once it shows. A grid they leave
    // open is closed as "Voltar", and leftOpen_ says so.
    Answer pick(const TableChoice& choice, const std::function<void(QDialog&)>& checks) {
        opened_ = false;
        leftOpen_ = false;
        QTimer::singleShot(0, this, [this, &checks] {
            auto* grid = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (grid == nullptr) {
                return;
            }
            const EndModalOnExit end(grid);
            opened_ = true;
            checks(*grid);
            leftOpen_ = grid->isVisible();
        });
        return Reservas::PickTables(choice);
    }

    Answer pickBySteps(const TableChoice& choice, const QStringList& steps) {
        return pick(choice, [&steps](QDialog& grid) {
            for (const QString& step : steps) {
                act(grid, step);
            }
        });
    }

private slots:
    void cleanup() {
        SetPerguntaObserver({});
        Reservas::SetTablePicker({});
    }

    void keysAnswerWithThePickedTablesAscending_data() {
        QTest::addColumn<QList<int>>("pickedAtFirst");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("back");
        QTest::addColumn<QList<int>>("tables");
        QTest::addColumn<bool>("leftOpen");
        const QList<int> none;
        QTest::newRow("confirmed ascending") << none << QStringList{"mesa8", "mesa1", "confirmar"}
                                             << false << QList<int>{1, 8} << false;
        QTest::newRow("a second tap unpicks")
            << none << QStringList{"mesa1", "mesa2", "mesa1", "confirmar"} << false << QList<int>{2}
            << false;
        QTest::newRow("a taken table cannot be picked")
            << none << QStringList{"mesa3", "mesa5", "confirmar"} << false << QList<int>{5}
            << false;
        QTest::newRow("opens with its picks but no taken one")
            << QList<int>{2, 3, 5} << QStringList{"mesa5", "confirmar"} << false << QList<int>{2}
            << false;
        QTest::newRow("nothing picked confirms no table once asked")
            << none << QStringList{"confirmar"} << false << none << false;
        QTest::newRow("sem mesa") << QList<int>{2} << QStringList{"mesa1", "semMesa"} << false
                                  << none << false;
        // Going back answers nothing; the picks it leaves are told, for the grid opened again.
        QTest::newRow("voltar") << QList<int>{2} << QStringList{"mesa1", "voltar"} << true
                                << QList<int>{1, 2} << false;
        QTest::newRow("Esc") << none << QStringList{"mesa1", "Escape"} << true << QList<int>{1}
                             << false;
        QTest::newRow("Enter confirms")
            << none << QStringList{"mesa5", "Return"} << false << QList<int>{5} << false;
        QTest::newRow("Enter held from the entry does nothing")
            << none << QStringList{"mesa5", "heldReturn"} << true << none << true;
    }
    void keysAnswerWithThePickedTablesAscending() {
        QFETCH(QList<int>, pickedAtFirst);
        QFETCH(QStringList, steps);
        QFETCH(bool, back);
        QFETCH(QList<int>, tables);
        QFETCH(bool, leftOpen);
        SetPerguntaObserver([](const AnsiString&) { return std::optional(true); });
        TableChoice choice = sampleChoice();
        choice.Picked.assign(pickedAtFirst.begin(), pickedAtFirst.end());
        std::optional<std::vector<int>> leftWith;
        choice.GoneBackWith = [&leftWith](const std::vector<int>& picked) { leftWith = picked; };
        const std::vector<int> expectedTables(tables.begin(), tables.end());
        QCOMPARE(pickBySteps(choice, steps), back ? Answer() : Answer(expectedTables));
        QVERIFY(opened_);
        QCOMPARE(leftOpen_, leftOpen);
        QCOMPARE(leftWith, back && !leftOpen ? Answer(expectedTables) : Answer());
    }

    // No table, or fewer seats than people, is asked about before the grid answers.
    void fewerSeatsThanPeopleAsksFirst_data() {
        QTest::addColumn<int>("people");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("leftOpen");
        QTest::addColumn<QList<int>>("tables");
        const QString sixOfEight = QStringLiteral(
            u"Os lugares escolhidos (6) s\u00E3o menos que as pessoas da reserva (8). "
            u"Confirmar assim mesmo?");
        const QStringList twoTables{"mesa1", "mesa2", "confirmar"};
        QTest::newRow("no keeps the grid open")
            << 8 << twoTables << false << QStringList{sixOfEight} << true << QList<int>();
        QTest::newRow("no, then enough seats")
            << 8 << QStringList{"mesa1", "mesa2", "confirmar", "mesa8", "confirmar"} << false
            << QStringList{sixOfEight} << false << QList<int>{1, 2, 8};
        QTest::newRow("yes confirms")
            << 8 << twoTables << true << QStringList{sixOfEight} << false << QList<int>{1, 2};
        QTest::newRow("Enter asks too") << 8 << QStringList{"mesa1", "mesa2", "Return"} << true
                                        << QStringList{sixOfEight} << false << QList<int>{1, 2};
        QTest::newRow("enough seats asks nothing")
            << 6 << twoTables << false << QStringList() << false << QList<int>{1, 2};
        const QStringList withoutTable{QStringLiteral("Gravar sem mesa?")};
        QTest::newRow("no table, no keeps the grid open")
            << 8 << QStringList{"confirmar"} << false << withoutTable << true << QList<int>();
        QTest::newRow("no table, then a table")
            << 4 << QStringList{"confirmar", "mesa1", "confirmar"} << false << withoutTable << false
            << QList<int>{1};
        QTest::newRow("no table, yes stores without one")
            << 8 << QStringList{"Return"} << true << withoutTable << false << QList<int>();
        QTest::newRow("sem mesa asks nothing")
            << 8 << QStringList{"semMesa"} << false << QStringList() << false << QList<int>();
    }
    void fewerSeatsThanPeopleAsksFirst() {
        QFETCH(int, people);
        QFETCH(QStringList, steps);
        QFETCH(bool, yes);
        QFETCH(QStringList, asked);
        QFETCH(bool, leftOpen);
        QFETCH(QList<int>, tables);
        QStringList questions;
        SetPerguntaObserver([&questions, yes](const AnsiString& text) -> std::optional<bool> {
            questions << ToQString(text);
            return yes;
        });
        TableChoice choice = sampleChoice();
        choice.People = people;
        const Answer answer = pickBySteps(choice, steps);
        QCOMPARE(questions, asked);
        QCOMPARE(leftOpen_, leftOpen);
        if (!leftOpen) {
            QCOMPARE(answer, Answer(std::vector<int>(tables.begin(), tables.end())));
        }
    }

    void headingAndSeatsFollowThePicks() {
        TableChoice choice = sampleChoice();
        choice.People = 6;
        choice.Picked = {2};
        pick(choice, [&choice](QDialog& grid) {
            const auto* heading = grid.findChild<QLabel*>(QStringLiteral("heading"));
            const auto* seats = grid.findChild<QLabel*>(QStringLiteral("lugares"));
            QVERIFY(heading != nullptr && seats != nullptr);
            QCOMPARE(heading->text(), ToQString(choice.Heading));
            QCOMPARE(seats->text(), QStringLiteral(u"Lugares escolhidos: 2 \u00B7 Pessoas: 6"));
            act(grid, QStringLiteral("mesa8"));
            QCOMPARE(seats->text(), QStringLiteral(u"Lugares escolhidos: 10 \u00B7 Pessoas: 6"));
        });
        QVERIFY(opened_);
    }

    // The high-contrast scheme draws keys and the frame alike: a picked table must still stand
    // out, in every scheme.
    void freePickedAndTakenTablesDifferInEveryScheme_data() {
        QTest::addColumn<QByteArray>("scheme");
        QTest::newRow("dark") << QByteArray();
        QTest::newRow("light") << QByteArray("2");
        QTest::newRow("high contrast") << QByteArray("3");
    }
    void freePickedAndTakenTablesDifferInEveryScheme() {
        QFETCH(QByteArray, scheme);
        TableChoice choice = sampleChoice();
        choice.SchemeId = scheme.toStdString();
        choice.Picked = {2};
        pick(choice, [](QDialog& grid) {
            const QColor free = faceColour(*key(grid, QStringLiteral("mesa1")));
            const QColor picked = faceColour(*key(grid, QStringLiteral("mesa2")));
            const QColor taken = faceColour(*key(grid, QStringLiteral("mesa3")));
            QVERIFY(free != picked);
            QVERIFY(taken != free);
            QVERIFY(taken != picked);
        });
        QVERIFY(opened_);
    }

    // Five tables to a row, in the order given; twenty tables keep the cells' full size and
    // more make them lower, always between the seats label and the keys and never overlapping.
    void everyTableFitsFiveToARow() {
        std::map<int, QSize> cellSize;
        for (const int count : {1, 20, 21, 42}) {
            pick(numberedTables(count), [&cellSize, count](QDialog& grid) {
                const int top =
                    grid.findChild<QLabel*>(QStringLiteral("lugares"))->geometry().bottom();
                const int bottom = key(grid, QStringLiteral("confirmar"))->y();
                std::vector<QRect> cells;
                for (int number = 1; number <= count; ++number) {
                    TBlendedButton* cell = key(grid, QStringLiteral("mesa%1").arg(number));
                    QVERIFY(cell != nullptr);
                    cells.push_back(QRect(cell->mapTo(&grid, QPoint()), cell->size()));
                }
                for (std::size_t index = 0; index < cells.size(); ++index) {
                    const QRect& cell = cells[index];
                    QVERIFY(cell.top() > top && cell.bottom() < bottom);
                    QVERIFY(grid.rect().contains(cell));
                    QCOMPARE(cell.size(), cells.front().size());
                    if (index + 5 < cells.size()) {
                        QCOMPARE(cells[index + 5].x(), cell.x());
                        QVERIFY(cells[index + 5].top() > cell.bottom());
                    }
                    if (index % 5 != 4 && index + 1 < cells.size()) {
                        QCOMPARE(cells[index + 1].y(), cell.y());
                        QVERIFY(cells[index + 1].left() > cell.right());
                    }
                }
                cellSize[count] = cells.front().size();
            });
            QVERIFY(opened_);
        }
        QCOMPARE(cellSize[1], cellSize[20]);
        QVERIFY(cellSize[21].height() < cellSize[20].height());
        QVERIFY(cellSize[42].height() < cellSize[21].height());
    }

    // At 1024x768 the grid keeps the geometry the e2e scripts tap; on 1920x1080 it covers the
    // screen but for the same border, with larger keys and more cells at full size (4 rows of 8).
    void gridGrowsWithTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("grid");
        QTest::addColumn<QRect>("firstCell");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("keyFont");
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(723, 582) << QRect(14, 96, 131, 88)
                                  << 5 << 24;
        QTest::newRow("1920x1080")
            << QSize(1920, 1080) << QSize(1619, 894) << QRect(20, 135, 185, 142) << 8 << 34;
    }
    void gridGrowsWithTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(QSize, grid);
        QFETCH(QRect, firstCell);
        QFETCH(int, columns);
        QFETCH(int, keyFont);
        const std::unique_ptr<QWidget> window = WindowCovering(screen);
        QVERIFY(window != nullptr);
        pick(numberedTables(columns * 4), [&](QDialog& shown) {
            QCOMPARE(shown.size(), grid);
            QVERIFY(window->screen()->geometry().contains(shown.frameGeometry()));
            const auto at = [&shown](const QString& name) {
                const TBlendedButton* found = key(shown, name);
                return QRect(found->mapTo(&shown, QPoint()), found->size());
            };
            QCOMPARE(at("mesa1"), firstCell);
            QCOMPARE(at(QStringLiteral("mesa%1").arg(columns)).y(), firstCell.y());
            const QRect last = at(QStringLiteral("mesa%1").arg(columns * 4));
            QCOMPARE(last.size(), firstCell.size());
            QCOMPARE(key(shown, "confirmar")->FontHeight(), keyFont);
            QVERIFY(at("confirmar").top() > last.bottom());
            QVERIFY(shown.rect().contains(at("confirmar")));
        });
        QVERIFY(opened_);
    }

    // More tables than fit at a height a finger can hit: the cells scroll; a drag moves them and
    // picks nothing, a tap picks.
    void manyTablesScrollAndOnlyATapPicks() {
        SetPerguntaObserver([](const AnsiString&) { return std::optional(false); });
        const Answer answer = pick(numberedTables(120), [](QDialog& grid) {
            auto* area = grid.findChild<QScrollArea*>("mesas");
            // Through the window, as a finger's events come, so that the scroller sees them.
            QWindow* shown = grid.windowHandle();
            const QPoint from = area->mapTo(&grid, area->rect().center());
            QTest::mousePress(shown, Qt::LeftButton, {}, from);
            for (int step = 1; step <= 10; ++step) {
                QTest::mouseMove(shown, from - QPoint(0, 15 * step), 20);
            }
            QTest::mouseRelease(shown, Qt::LeftButton, {}, from - QPoint(0, 150), 20);
            QTRY_VERIFY(area->verticalScrollBar()->value() > 0);
            QTRY_COMPARE(QScroller::scroller(area->viewport())->state(), QScroller::Inactive);
            for (const TBlendedButton* cell : grid.findChildren<TBlendedButton*>()) {
                QVERIFY2(!cell->isChecked(), qPrintable(cell->objectName()));
            }
            QTest::mouseClick(shown, Qt::LeftButton, {}, from);
            QTRY_VERIFY(!grid.findChild<QLabel*>("lugares")->text().contains(": 0 "));
            act(grid, QStringLiteral("confirmar"));
        });
        QVERIFY(opened_);
        QVERIFY(answer && answer->size() == 1 && answer->front() > 5);
    }

    void gridIsCentredOverTheActiveWindow() {
        QWidget window;
        window.setGeometry(60, 40, 800, 600);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QRect shown;
        pick(sampleChoice(), [&shown](QDialog& grid) { shown = grid.frameGeometry(); });
        QVERIFY((shown.center() - window.frameGeometry().center()).manhattanLength() <= 2);
    }

    // While the operator looks, a table another terminal takes turns "ocupada" until the end of
    // its holding there; a picked one leaves the picks and the operator is told. One it frees can
    // be picked. A table held twice around the reservation is taken until the later end.
    void tablesTakenAndFreedElsewhereShowWhileLooking() {
        SKIP_WITHOUT_SERVER();
        StoreFixture store(QDateTime(QDate(2026, 12, 1), QTime(10, 0)));
        Reservas::SetTablePicker({});
        const Reservas::Booking atThree = Reservas::BookReservation(
            evening("Bia", "1900", "2100"), std::nullopt, std::vector<int>{3});
        for (const auto& [name, start, end] :
             {std::tuple("Davi", "2100", "2300"), std::tuple("Eva", "1800", "2000")}) {
            Reservas::BookReservation(evening(name, start, end), std::nullopt, std::vector<int>{1});
        }
        const Reservas::StoredReservation looked = evening("Ana", "1930", "2130");
        const auto around = [looked] {
            return Reservas::TablesForBooking(looked, std::nullopt).Around;
        };
        TableChoice choice;
        choice.Tables = Reservas::RestaurantTables();
        choice.Taken = around().Taken;
        choice.TakenUntil = around().TakenUntil;
        choice.Picked = {2, 5};
        choice.People = 4;
        choice.RefreshTaken = around;
        // Within a second by design; five allowed, so that a busy machine never fails it. The
        // first change may also show through the grid's first reading once its watch reaches
        // the database; the second cannot.
        const Answer answer = pick(choice, [&](QDialog& grid) {
            QVERIFY(!key(grid, "mesa3")->isEnabled());
            QCOMPARE(key(grid, "mesa1")->accessibleName(),
                     QStringLiteral(u"1 ocupada at\u00E9 23:00"));
            QVERIFY(key(grid, "mesa2")->isChecked());
            Reservas::BookReservation(evening("Caio", "2000", "2200"), std::nullopt,
                                      std::vector<int>{2});
            QTRY_VERIFY_WITH_TIMEOUT(!key(grid, "mesa2")->isEnabled(), 5000);
            QCOMPARE(key(grid, "mesa2")->accessibleName(),
                     QStringLiteral(u"2 ocupada at\u00E9 22:00"));
            QVERIFY(!key(grid, "mesa2")->isChecked());
            QVERIFY(key(grid, "mesa5")->isChecked());
            QCOMPARE(grid.findChild<QLabel*>(QStringLiteral("lugares"))->text(),
                     QStringLiteral(u"Lugares escolhidos: 4 \u00B7 Pessoas: 4"));
            QCOMPARE(Reservas::CancelReservation(atThree.Nrresmesa),
                     Reservas::CancelResult::Cancelled);
            QTRY_VERIFY_WITH_TIMEOUT(key(grid, "mesa3")->isEnabled(), 5000);
            act(grid, "mesa3");
            act(grid, "confirmar");
        });
        QVERIFY(opened_);
        QCOMPARE(answer, Answer(std::vector<int>{3, 5}));
        QCOMPARE(store.Messages.size(), std::size_t(1));
        QVERIFY2(ToQString(store.Messages[0].Text).contains(QLatin1String("mesa 2 ")),
                 store.Messages[0].Text.c_str());
    }

    void replacedPickerIsUsedAndAnEmptyOneRestoresTheGrid() {
        std::vector<AnsiString> headings;
        Reservas::SetTablePicker([&headings](const TableChoice& choice) {
            headings.push_back(choice.Heading);
            return Answer(std::vector<int>{7});
        });
        QCOMPARE(pickBySteps(sampleChoice(), {}), Answer(std::vector<int>{7}));
        QCoreApplication::processEvents();
        QVERIFY(!opened_);
        QCOMPARE(headings, std::vector<AnsiString>{sampleChoice().Heading});

        Reservas::SetTablePicker({});
        QCOMPARE(pickBySteps(sampleChoice(), {"voltar"}), Answer());
        QVERIFY(opened_);
        QCOMPARE(headings.size(), std::size_t{1});
    }
};

QTEST_MAIN(TableGridTest)

#include "test_tablegrid.moc"
