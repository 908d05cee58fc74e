#include "../reservas/otherterminal.h"
#include "../reservas/storefixture.h"
#include "../support/endmodal.h"
#include "framework/data/dbclient.h"
#include "framework/events.h"
#include "framework/sysutils.h"
#include "host/daylist/daycovers.h"
#include "host/daylist/daywindow.h"
#include "host/daylist/timelineview.h"
#include "host/journal.h"
#include "host/touchinput/askonkeys.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/mensagem.h"
#include "hostlib/pergunta.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QMultiMap>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QScroller>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>
#include <memory>

namespace {

const QDateTime tuesdayMorning(QDate(2026, 12, 8), QTime(10, 0));

AnsiString calendarAnswer;
QDate calendarOpenedOn;
AnsiString fakeCalendar(int year, int month, int day) {
    calendarOpenedOn = QDate(year, month, day);
    return calendarAnswer;
}

// What the window handed to the entry module.
struct EntryCall {
    int Tipo = 0;
    AnsiString Nrresmesa;
    AnsiString Status;
};

QStringList rowTexts(const QTableWidget* list, int row) {
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column) {
        texts << list->item(row, column)->text();
    }
    return texts;
}

QList<QStringList> allRows(const QTableWidget* list) {
    QList<QStringList> rows;
    for (int row = 0; row < list->rowCount(); ++row) {
        rows << rowTexts(list, row);
    }
    return rows;
}

QStringList names(const QTableWidget* list) {
    QStringList shown;
    for (int row = 0; row < list->rowCount(); ++row) {
        shown << list->item(row, 2)->text();
    }
    return shown;
}

// Another terminal's write reaches the screen within a second by design; the tests allow five,
// so that a busy machine alone never fails them.
constexpr int anotherTerminalsWrite = 5000;
// A lost server is found within a few seconds, and again once it is back.
constexpr int serverComesAndGoes = 20000;

const QString updated = QStringLiteral(u"Atualizado \u00E0s 10:00");

QString outOfTouch() {
    return TestDatabase::OnServer()
               ? QStringLiteral(u"Sem comunica\u00E7\u00E3o com o servidor desde 10:00")
               : QStringLiteral("Sem acesso ao banco de reservas desde 10:00");
}

} // namespace

class DayWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreFixture> store;
    std::unique_ptr<QTemporaryDir> journalFolder;
    std::unique_ptr<Journal> journal;
    std::unique_ptr<TDayWindow> window;
    std::vector<AnsiString> errors;
    std::vector<AnsiString> questions;
    bool answer = true;
    std::vector<EntryCall> entries;
    std::function<void(Dbclient::TClientDataSet*)> entryDoes;
    std::vector<int> tablesToPick;
    TTouchCalendar packageCalendar = nullptr;
    std::map<QString, AnsiString> numbers; // by name

    // Stores a reservation through the package, as the entry module does.
    AnsiString reserve(const char* name, const char* day, const char* start, const char* end,
                       const char* telephone, const char* people, std::vector<int> tables,
                       Dbclient::TClientDataSet* reserva = nullptr) {
        Dbclient::TClientDataSet prepared;
        if (reserva == nullptr) {
            PrepareReservation(prepared, "", "0001", "12", "OPER01");
            reserva = &prepared;
        }
        tablesToPick = std::move(tables);
        HandOff handOff;
        handOff.Nome = name;
        handOff.Data = day;
        handOff.DataDigitos = "";
        handOff.HrIni = start;
        handOff.HrFim = end;
        handOff.Telefone = telephone;
        handOff.Pessoas = people;
        handOff.Run(reserva);
        numbers[QString::fromLatin1(name)] = store->Stored.back();
        return store->Stored.back();
    }

    QTableWidget* list() const { return window->findChild<QTableWidget*>("dayList"); }
    TBlendedButton* key(const char* name) const {
        return window->findChild<TBlendedButton*>(QString::fromLatin1(name));
    }
    QString heading() const { return window->findChild<QLabel*>("dayHeading")->text(); }
    QString status() const { return window->findChild<QLabel*>("dayStatus")->text(); }
    QString covers() const { return window->findChild<QLabel*>("dayCovers")->text(); }
    QString selectedName() const {
        const QModelIndexList selected = list()->selectionModel()->selectedRows();
        return selected.isEmpty() ? QString() : list()->item(selected.first().row(), 2)->text();
    }
    void tap(const char* name) const { QTest::mouseClick(key(name), Qt::LeftButton); }
    void tapRow(int row) const {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row, 0)).center());
    }

    // Acts on the next dialog to open, once it is up; it is closed however act ends, so that a
    // failed check never leaves the test waiting on it.
    void onNextDialog(std::function<void(QDialog*)> act) {
        auto* poll = new QTimer(window.get());
        connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            const EndModalOnExit end(dialog);
            act(dialog);
        });
        poll->start(10);
    }

    // Plays steps on the touch text entry: "key..." taps that key, "'text" types text on the
    // keyboard, and Return, Escape, Backspace or Delete press that key.
    static void play(QDialog* dialog, const QStringList& steps) {
        const std::map<QString, Qt::Key> keys{{"Return", Qt::Key_Return},
                                              {"Escape", Qt::Key_Escape},
                                              {"Backspace", Qt::Key_Backspace},
                                              {"Delete", Qt::Key_Delete}};
        for (const QString& step : steps) {
            if (step.startsWith("key")) {
                auto* key = dialog->findChild<TBlendedButton*>(step);
                QVERIFY2(key != nullptr, qPrintable(step));
                QTest::mouseClick(key, Qt::LeftButton);
            } else if (step.startsWith('\'')) {
                // By the text each key event carries: the test's own key table knows no accents.
                for (const QChar character : step.mid(1)) {
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                    QString(character));
                    QApplication::sendEvent(dialog, &press);
                }
            } else {
                QTest::keyClick(dialog, keys.at(step));
            }
        }
    }

    std::vector<QJsonObject> journalEvents() const {
        std::vector<QJsonObject> events;
        QFile file(journalFolder->filePath("journal.jsonl"));
        if (file.open(QIODevice::ReadOnly)) {
            // Every line has its moment and terminal: the rest is the event itself.
            while (!file.atEnd()) {
                QJsonObject event = QJsonDocument::fromJson(file.readLine()).object();
                if (event.take("ts").toString().size() == 23 && event.contains("terminal")) {
                    event.remove("terminal");
                }
                events.push_back(event);
            }
        }
        return events;
    }

private slots:
    void init() {
        SKIP_WITHOUT_SERVER();
        store = std::make_unique<StoreFixture>(tuesdayMorning);
        Reservas::SetTablePicker(
            [this](const Reservas::TableChoice&) { return std::optional(tablesToPick); });
        reserve("Bruno Lima", "08/12/2026", "2000", "2200", "11987654321", "2", {3, 12});
        reserve("Ana Reis", "08/12/2026", "1200", "1400", "1133334444", "4", {});
        reserve("Carla Dias", "08/12/2026", "1900", "2100", "2133335555", "6", {1, 2});
        reserve("Davi Melo", "09/12/2026", "1300", "1500", "1144445555", "3", {4});
        QCOMPARE(Reservas::CancelReservation(numbers["Carla Dias"]),
                 Reservas::CancelResult::Cancelled);

        errors.clear();
        Forms::SetExceptionHandler([this](const AnsiString& message, const AnsiString& detail) {
            errors.push_back(message.empty() ? detail : message);
        });
        questions.clear();
        answer = true;
        SetPerguntaObserver([this](const AnsiString& text) {
            questions.push_back(text);
            return std::optional(answer);
        });
        packageCalendar = TouchCalendar;
        TouchCalendar = &fakeCalendar;
        entries.clear();
        entryDoes = nullptr;

        journalFolder = std::make_unique<QTemporaryDir>();
        journal = std::make_unique<Journal>();
        QVERIFY(journal->open(journalFolder->filePath("journal.jsonl")));
        window = std::make_unique<TDayWindow>(
            [this](int tipo, Dbclient::TClientDataSet* reserva) {
                entries.push_back({tipo, reserva->FieldByName("NRRESMESA")->AsString(),
                                   reserva->FieldByName("IDSTRESMESA")->AsString()});
                if (entryDoes) {
                    entryDoes(reserva);
                }
            },
            *journal);
        window->show();
    }

    void cleanup() {
        window.reset();
        journal.reset();
        TouchCalendar = packageCalendar;
        SetPerguntaObserver({});
        Forms::SetExceptionHandler({});
        Reservas::SetTablePicker({});
        store.reset();
    }

    // By start time, the telephone masked, the status in words, a cancelled one struck through.
    void showsTheDaysReservations() {
        QCOMPARE(window->windowTitle(), QString("Reservas do Dia"));
        QCOMPARE(heading(), QString::fromUtf8("Terça-feira, 08/12/2026"));
        const QList<QStringList> expected{
            {"12:00", "14:00", "Ana Reis", "4", "(11) 3333-4444", "Pendente", "sem mesa"},
            {"19:00", "21:00", "Carla Dias", "6", "(21) 3333-5555", "Cancelada", "sem mesa"},
            {"20:00", "22:00", "Bruno Lima", "2", "(11) 98765-4321", "Pendente", "3, 12"},
        };
        QCOMPARE(list()->rowCount(), int(expected.size()));
        for (int row = 0; row < list()->rowCount(); ++row) {
            QCOMPARE(rowTexts(list(), row), expected[row]);
            const bool cancelled = row == 1;
            QCOMPARE(list()->item(row, 2)->font().strikeOut(), cancelled);
            QCOMPARE(list()->item(row, 2)->foreground() != list()->item(0, 2)->foreground(),
                     cancelled);
        }
        QVERIFY(!key("editReservation")->isEnabled());
        QVERIFY(!key("cancelReservation")->isEnabled());
        QCOMPARE(covers(), QStringLiteral(u"2 reservas, 6 pessoas  \u00B7  almo\u00E7o: 1 reserva, "
                                          u"4 pessoas  \u00B7  jantar: 1 reserva, 2 pessoas"));
    }

    // A day as the store reads it, each reservation "start end people status tables" (tables
    // between commas, "-" for none), numbered from 1 in order.
    static std::vector<Reservas::DayReservation> dayOf(const QStringList& reservations) {
        std::vector<Reservas::DayReservation> day;
        for (const QString& reservation : reservations) {
            const QStringList parts = reservation.split(' ');
            Reservas::DayReservation read;
            read.Reservation.NRRESMESA = FromQString(QString::number(day.size() + 1));
            read.Reservation.HRINIRESMESA = FromQString(parts[0]);
            read.Reservation.HRFINRESMESA = FromQString(parts[1]);
            read.Reservation.NRPESRESMESA = FromQString(parts[2]);
            read.Reservation.IDSTRESMESA = FromQString(parts[3]);
            for (const QString& mesa : parts[4].split(',', Qt::SkipEmptyParts)) {
                if (mesa != "-") {
                    read.Mesas.push_back(mesa.toInt());
                }
            }
            day.push_back(read);
        }
        return day;
    }

    // The people expected, by shift (see dayOf); those cancelled and those whose guests never
    // came count nowhere.
    void coversCountTheGuestsExpectedByShift_data() {
        QTest::addColumn<QStringList>("reservations");
        QTest::addColumn<int>("dinnerFrom");
        QTest::addColumn<QString>("text");
        const auto line = [](const char* day, const char* lunch, const char* dinner) {
            return QString::fromUtf8(day) + QStringLiteral(u"  \u00B7  almo\u00E7o: ") +
                   QString::fromUtf8(lunch) + QStringLiteral(u"  \u00B7  jantar: ") +
                   QString::fromUtf8(dinner);
        };
        QTest::newRow("split at the hour")
            << QStringList{"1559 - 2 P -", "1600 - 3 P -", "2000 - 4 U -"} << 16
            << line("3 reservas, 9 pessoas", "1 reserva, 2 pessoas", "2 reservas, 7 pessoas");
        QTest::newRow("cancelled and no-show left out")
            << QStringList{"1200 - 4 C -", "1300 - 5 N -", "2100 - 1 P -", "2200 - 3 N -"} << 16
            << line("1 reserva, 1 pessoa", "0 reservas, 0 pessoas", "1 reserva, 1 pessoa");
        QTest::newRow("dinner from midnight")
            << QStringList{"930 - 2 P -", "1200 - 2 P -"} << 0
            << line("2 reservas, 4 pessoas", "0 reservas, 0 pessoas", "2 reservas, 4 pessoas");
        QTest::newRow("dinner from 23")
            << QStringList{"2259 - 2 P -", "2300 - 6 P -"} << 23
            << line("2 reservas, 8 pessoas", "1 reserva, 2 pessoas", "1 reserva, 6 pessoas");
        QTest::newRow("empty day")
            << QStringList{} << 16
            << line("0 reservas, 0 pessoas", "0 reservas, 0 pessoas", "0 reservas, 0 pessoas");
    }
    void coversCountTheGuestsExpectedByShift() {
        QFETCH(QStringList, reservations);
        QFETCH(int, dinnerFrom);
        QTEST(CoversText(CoversOf(dayOf(reservations), dinnerFrom)), "text");
    }

    // The timeline of a restaurant with tables 1 and 2 (see dayOf): each block "number:row", "n"
    // after a no-show's.
    void timelineRowsAndHours_data() {
        QTest::addColumn<QStringList>("reservations");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("blocks");
        QTest::addColumn<int>("firstHour");
        QTest::addColumn<int>("lastHour");
        QTest::newRow("overlapping without a table, a row each")
            << QStringList{"1200 1400 2 P -", "1300 1500 2 P -", "1400 1600 2 P -"}
            << QStringList{"Mesa 1", "Mesa 2", "sem mesa", "sem mesa"}
            << QStringList{"1:2", "2:3", "3:2"} << 11 << 24;
        QTest::newRow("cancelled out, no-show in, a removed table kept, past midnight")
            << QStringList{"1000 1100 2 C -", "1930 2130 2 N 2", "2300 0100 2 P 7"}
            << QStringList{"Mesa 1", "Mesa 2", "Mesa 7"} << QStringList{"2:1n", "3:2"} << 11 << 25;
        QTest::newRow("early, on two tables")
            << QStringList{"0800 0930 2 P 1,2"} << QStringList{"Mesa 1", "Mesa 2"}
            << QStringList{"1:0", "1:1"} << 8 << 24;
    }
    void timelineRowsAndHours() {
        QFETCH(QStringList, reservations);
        const Timeline timeline = TimelineOf(dayOf(reservations), {{1, 4}, {2, 2}});
        QStringList blocks;
        for (const TimelineBlock& block : timeline.Blocks) {
            blocks << ToQString(block.Number) + ":" + QString::number(block.Row) +
                          (block.NoShow ? "n" : "");
        }
        QTEST(timeline.Rows, "rows");
        QTEST(blocks, "blocks");
        QTEST(timeline.FirstHour, "firstHour");
        QTEST(timeline.LastHour, "lastHour");
    }

    // Mesas shows the tables' evening instead of the list: a block per table held, those without
    // a table on a row of their own, none for a cancelled one. A tapped block is the selection
    // Alterar acts on.
    void theTimelineShowsTheTablesAndATapSelects() {
        auto* timeline = window->findChild<TimelineView*>("dayTimeline");
        QVERIFY(timeline->isHidden());
        tap("viewToggle");
        QVERIFY(!timeline->isHidden() && list()->isHidden());
        QCOMPARE(key("viewToggle")->Caption(), AnsiString("Lista"));
        const Timeline& shown = timeline->Shown();
        QCOMPARE(shown.Rows.last(), QString("sem mesa"));
        QMultiMap<QString, QString> blocks;
        for (const TimelineBlock& block : shown.Blocks) {
            blocks.insert(block.Name + " (" + block.People + ")", shown.Rows[block.Row]);
        }
        QCOMPARE(blocks, (QMultiMap<QString, QString>{{"Ana Reis (4)", "sem mesa"},
                                                      {"Bruno Lima (2)", "Mesa 3"},
                                                      {"Bruno Lima (2)", "Mesa 12"}}));
        QCOMPARE(std::pair(shown.FirstHour, shown.LastHour), std::pair(11, 24));
        const auto bruno =
            std::find_if(shown.Blocks.begin(), shown.Blocks.end(),
                         [](const TimelineBlock& block) { return block.Name == "Bruno Lima"; });
        QTest::mouseClick(timeline->Canvas(), Qt::LeftButton, {},
                          TimelinePlaces(timeline->Canvas()->rect(), shown).Block(*bruno).center());
        QCOMPARE(selectedName(), QString("Bruno Lima"));
        tap("editReservation");
        QTRY_COMPARE(entries.size(), std::size_t(1));
        QCOMPARE(entries[0].Nrresmesa, numbers["Bruno Lima"]);
        tap("viewToggle");
        QVERIFY(timeline->isHidden() && !list()->isHidden());
        QCOMPARE(key("viewToggle")->Caption(), AnsiString("Mesas"));
    }

    // Laid out at each size against itself at 1024x768: the list shows more full rows (twice as
    // many at 1920x1080), every key is at least as large, and nothing stands outside the window
    // or over another part of it.
    void theWindowUsesTheRoomOfEverySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("rowsTimes");
        QTest::newRow("1024x768") << QSize(1024, 768) << 1;
        QTest::newRow("1280x800") << QSize(1280, 800) << 1;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 2;
    }
    void theWindowUsesTheRoomOfEverySize() {
        QFETCH(QSize, size);
        QFETCH(int, rowsTimes);
        const auto fullRows = [this] {
            return list()->viewport()->height() / list()->verticalHeader()->defaultSectionSize();
        };
        const QList<TBlendedButton*> keys = window->findChildren<TBlendedButton*>();
        std::map<QString, QSize> designKeys;
        for (const TBlendedButton* key : keys) {
            designKeys[key->objectName()] = key->size();
        }
        const int designRows = fullRows();
        window->setFixedSize(size);
        QTRY_COMPARE(list()->window()->size(), size);
        QVERIFY2(fullRows() >= rowsTimes * designRows &&
                     (fullRows() > designRows) == (size != QSize(1024, 768)),
                 qPrintable(QString("%1 rows, %2 at 1024x768").arg(fullRows()).arg(designRows)));
        QList<QWidget*> parts{list(), window->findChild<QLabel*>("dayHeading"),
                              window->findChild<QLabel*>("dayStatus"),
                              window->findChild<QLabel*>("dayCovers"),
                              window->findChild<QLabel*>("daySelection")};
        for (TBlendedButton* key : keys) {
            const QSize design = designKeys[key->objectName()];
            QVERIFY2(key->width() >= design.width() && key->height() >= design.height(),
                     qPrintable(key->objectName()));
            parts << key;
        }
        for (const QWidget* part : parts) {
            QVERIFY2(window->rect().contains(part->geometry()), qPrintable(part->objectName()));
            for (const QWidget* other : parts) {
                QVERIFY2(part == other || !part->geometry().intersects(other->geometry()),
                         qPrintable(part->objectName() + " over " + other->objectName()));
            }
        }
    }

    // A drag on the list, by a finger or a mouse, scrolls it and leaves the selection alone, and
    // the list stays there when read again; a tap then selects the row it lands on.
    void aDragScrollsTheListAndATapSelects() {
        std::vector<QByteArray> guests;
        for (int guest = 1; guest <= 12; ++guest) {
            guests.push_back("Convidado " + QByteArray::number(guest));
            reserve(guests.back().constData(), "08/12/2026", "2100", "2300", "1155556666", "2", {});
        }
        tap("today");
        tapRow(0);
        QCOMPARE(selectedName(), QString("Ana Reis"));
        QWidget* viewport = list()->viewport();
        QPoint at(viewport->width() / 2, viewport->height() - 10);
        // Not even for a moment, or the window would show and read the guest under the finger
        // (a reading of the day in the background may clear and restore the selection).
        QStringList selectedOnTheWay;
        const QMetaObject::Connection watching =
            connect(list(), &QTableWidget::itemSelectionChanged, this,
                    [&] { selectedOnTheWay << selectedName(); });
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        // The scroller moves the list on its own clock: the finger takes its time.
        for (int step = 0; step < 10; ++step) {
            at.ry() -= 30;
            QTest::mouseMove(viewport, at);
            QTest::qWait(20);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTRY_COMPARE(QScroller::scroller(viewport)->state(), QScroller::Inactive);
        const int scrolledTo = list()->verticalScrollBar()->value();
        QVERIFY(scrolledTo > 0);
        disconnect(watching);
        selectedOnTheWay.removeAll(QString());
        selectedOnTheWay.removeAll(QString("Ana Reis"));
        QCOMPARE(selectedOnTheWay, QStringList());
        QCOMPARE(selectedName(), QString("Ana Reis"));
        // Marked, the day is read again: it keeps both the selection and the place scrolled to.
        tap("arrived");
        QCOMPARE(rowTexts(list(), 0)[5], QString("Utilizada"));
        QCOMPARE(list()->verticalScrollBar()->value(), scrolledTo);
        QCOMPARE(selectedName(), QString("Ana Reis"));
        const int landedOn = list()->indexAt(viewport->rect().center()).row();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->rect().center());
        QCOMPARE(selectedName(), list()->item(landedOn, 2)->text());
        QVERIFY(selectedName().startsWith("Convidado"));
    }

    // Without a printer, Imprimir writes the day beside the journal and says where.
    void printingWithoutAPrinterWritesAPdfBesideTheJournal() {
        if (!QPrinterInfo::defaultPrinter().isNull()) {
            QSKIP("this machine has a default printer: the day would go to paper");
        }
        const std::size_t before = store->Messages.size();
        tap("print");
        const QString file = journalFolder->filePath("reservas-2026-12-08.pdf");
        QCOMPARE(journalEvents(),
                 (std::vector<QJsonObject>{{{"event", "printed"}, {"file", file}}}));
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
        QCOMPARE(store->Messages.size(), before + 1);
        QVERIFY2(ToQString(store->Messages.back().Text).endsWith(file),
                 store->Messages.back().Text.c_str());
    }

    // Each step from the day before it: the heading and the names then shown.
    void goesThroughTheDays() {
        struct Step {
            const char* what;
            std::function<void()> act;
            const char* heading;
            QStringList names;
        };
        const QStringList tuesday{"Ana Reis", "Carla Dias", "Bruno Lima"};
        const std::vector<Step> steps{
            {"next day key", [&] { tap("nextDay"); }, "Quarta-feira, 09/12/2026", {"Davi Melo"}},
            {"left arrow", [&] { QTest::keyClick(window.get(), Qt::Key_Left); },
             "Terça-feira, 08/12/2026", tuesday},
            {"previous day key", [&] { tap("previousDay"); }, "Segunda-feira, 07/12/2026", {}},
            {"right arrow", [&] { QTest::keyClick(window.get(), Qt::Key_Right); },
             "Terça-feira, 08/12/2026", tuesday},
            {"calendar",
             [&] {
                 calendarAnswer = "09/12/2026";
                 tap("calendar");
             },
             "Quarta-feira, 09/12/2026",
             {"Davi Melo"}},
            {"calendar left without a day, opened on the day shown",
             [&] {
                 calendarAnswer = "";
                 tap("calendar");
                 QCOMPARE(calendarOpenedOn, QDate(2026, 12, 9));
             },
             "Quarta-feira, 09/12/2026",
             {"Davi Melo"}},
            {"calendar far ahead",
             [&] {
                 calendarAnswer = "25/12/2026";
                 tap("calendar");
             },
             "Sexta-feira, 25/12/2026",
             {}},
            {"today", [&] { tap("today"); }, "Terça-feira, 08/12/2026", tuesday},
        };
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(heading() == QString::fromUtf8(step.heading), step.what);
            QVERIFY2(names(list()) == step.names, step.what);
            QVERIFY2(window->findChild<QLabel*>("emptyDay")->isVisible() == step.names.isEmpty(),
                     step.what);
        }
    }

    // A step that cannot read the database leaves the heading over the list it belongs to, says
    // the error, and marks the status line; the window reads again by itself once it can.
    void aFailedReadKeepsTheDayAndItsList_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("names");
        const QStringList tuesday{"Ana Reis", "Carla Dias", "Bruno Lima"};
        const QString tuesdayHeading = QString::fromUtf8("Terça-feira, 08/12/2026");
        QTest::newRow("next day") << "nextDay" << tuesdayHeading << tuesday;
        QTest::newRow("previous day") << "previousDay" << tuesdayHeading << tuesday;
        QTest::newRow("right arrow") << "Right" << tuesdayHeading << tuesday;
        QTest::newRow("calendar") << "calendar" << tuesdayHeading << tuesday;
        QTest::newRow("today, from the day after")
            << "today"
            << "Quarta-feira, 09/12/2026" << QStringList{"Davi Melo"};
        QTest::newRow("cancel") << "cancelReservation" << tuesdayHeading << tuesday;
    }
    void aFailedReadKeepsTheDayAndItsList() {
        QFETCH(QString, step);
        QFETCH(QString, heading);
        QFETCH(QStringList, names);
        QCOMPARE(status(), updated);
        if (step == "today") {
            tap("nextDay");
        }
        tapRow(0);
        const QList<QStringList> rowsBefore = allRows(list());
        calendarAnswer = "09/12/2026";
        // A folder where the file should be: neither read nor written.
        Reservas::SetDatabaseLocation(store->Folder.path());
        if (step == "Right") {
            QTest::keyClick(window.get(), Qt::Key_Right);
        } else {
            tap(step.toLatin1().constData());
        }
        QCOMPARE(errors.size(), std::size_t(1));
        QCOMPARE(this->heading(), heading);
        QCOMPARE(::names(list()), names);
        QCOMPARE(allRows(list()), rowsBefore);
        QCOMPARE(status(), outOfTouch());

        Reservas::SetDatabaseLocation(store->Database.Location());
        QTRY_COMPARE_WITH_TIMEOUT(status(), updated, serverComesAndGoes);
        QCOMPARE(this->heading(), heading);
        QCOMPARE(errors.size(), std::size_t(1));
    }

    // Without a tap, the list follows what another terminal stores, changes and cancels, and
    // the reservation selected stays selected. The first step may also show through the
    // window's first reading once the watch reaches the database; the later ones cannot.
    void anotherTerminalsWritesShowWithoutATap() {
        struct Step {
            const char* what;
            std::function<void()> write;
            QStringList names;
            QStringList statuses;
        };
        const std::vector<Step> steps{
            {"new",
             [&] { reserve("Eva Rocha", "08/12/2026", "1500", "1600", "1155556666", "2", {5}); },
             {"Ana Reis", "Eva Rocha", "Carla Dias", "Bruno Lima"},
             {"Pendente", "Pendente", "Cancelada", "Pendente"}},
            {"changed",
             [&] {
                 Dbclient::TClientDataSet reserva;
                 PrepareReservation(reserva, numbers["Ana Reis"], "0001", "12", "OPER01");
                 tablesToPick = {};
                 HandOff handOff;
                 handOff.Tipo = EditReservation;
                 handOff.Nome = "Ana Reis";
                 handOff.Data = "08/12/2026";
                 handOff.HrIni = "2200";
                 handOff.HrFim = "2300";
                 handOff.Pessoas = "4";
                 handOff.Run(&reserva);
             },
             {"Eva Rocha", "Carla Dias", "Bruno Lima", "Ana Reis"},
             {"Pendente", "Cancelada", "Pendente", "Pendente"}},
            {"cancelled",
             [&] {
                 QCOMPARE(Reservas::CancelReservation(numbers["Bruno Lima"]),
                          Reservas::CancelResult::Cancelled);
             },
             {"Eva Rocha", "Carla Dias", "Bruno Lima", "Ana Reis"},
             {"Pendente", "Cancelada", "Cancelada", "Pendente"}},
        };
        tapRow(2);
        for (const Step& step : steps) {
            step.write();
            const auto shown = [this] {
                QStringList rows;
                for (int row = 0; row < list()->rowCount(); ++row) {
                    rows << rowTexts(list(), row)[2] + " " + rowTexts(list(), row)[5];
                }
                return rows;
            };
            QStringList expected;
            for (qsizetype row = 0; row < step.names.size(); ++row) {
                expected << step.names[row] + " " + step.statuses[row];
            }
            QTRY_COMPARE_WITH_TIMEOUT(shown(), expected, anotherTerminalsWrite);
            QVERIFY2(selectedName() == "Bruno Lima", step.what);
        }
        // The covers follow the same readings: Eva at lunch, Ana moved to dinner, Bruno gone.
        QCOMPARE(covers(), QStringLiteral(u"2 reservas, 6 pessoas  \u00B7  almo\u00E7o: 1 reserva, "
                                          u"2 pessoas  \u00B7  jantar: 1 reserva, 4 pessoas"));
        QCOMPARE(errors, std::vector<AnsiString>());
    }

    // The server goes away: the window says so and keeps its list, a day it cannot read is not
    // shown, and once the server is back the window reads the day again by itself, with what
    // changed meanwhile.
    void aLostServerIsSaidAndTheWindowComesBack() {
        if (!TestDatabase::OnServer()) {
            QSKIP("only a server goes away and comes back");
        }
        const QStringList tuesday{"Ana Reis", "Carla Dias", "Bruno Lima"};
        const QString database = Reservas::ParseDatabaseLocation(store->Database.Location()).Name;
        // Its session outlives the outage: it writes while nobody else can connect.
        const OtherTerminal other(store->Database.Location());
        QVERIFY(other.Run(QString("ALTER DATABASE %1 CONNECTION LIMIT 0").arg(database)));
        QVERIFY(other.Run("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname "
                          "= current_database() AND pid <> pg_backend_pid()"));
        QTRY_COMPARE_WITH_TIMEOUT(status(), outOfTouch(), serverComesAndGoes);
        QCOMPARE(::names(list()), tuesday);

        tap("nextDay");
        QCOMPARE(errors.size(), std::size_t(1));
        QCOMPARE(heading(), QString::fromUtf8("Terça-feira, 08/12/2026"));
        QCOMPARE(::names(list()), tuesday);

        QVERIFY(other.Run(QString("UPDATE RESERVAMESA SET NMRESMESA = 'Ana Paula' WHERE "
                                  "NRRESMESA = %1")
                              .arg(ToQString(numbers["Ana Reis"]))));
        QVERIFY(other.Run(QString("ALTER DATABASE %1 CONNECTION LIMIT -1").arg(database)));
        QTRY_COMPARE_WITH_TIMEOUT(::names(list()),
                                  QStringList({"Ana Paula", "Carla Dias", "Bruno Lima"}),
                                  serverComesAndGoes);
        QCOMPARE(status(), updated);
        QCOMPARE(errors.size(), std::size_t(1));
    }

    void newReservationOpensTheEntryAndShowsWhatItStored() {
        entryDoes = [this](Dbclient::TClientDataSet* reserva) {
            reserve("Eva Rocha", "08/12/2026", "1500", "1600", "1155556666", "2", {5}, reserva);
        };
        tap("newReservation");
        QTRY_COMPARE(entries.size(), std::size_t(1));
        QCOMPARE(entries[0].Tipo, NewReservation);
        QCOMPARE(entries[0].Status, AnsiString("P"));
        QCOMPARE(names(list()), QStringList({"Ana Reis", "Eva Rocha", "Carla Dias", "Bruno Lima"}));
    }

    // However the row is chosen and the edit asked for, the entry gets that reservation.
    void editOpensTheEntryWithTheSelectedReservation_data() {
        QTest::addColumn<bool>("byKeyboard");
        QTest::newRow("tapped row, edit key") << false;
        QTest::newRow("arrow keys, Enter") << true;
    }

    void editOpensTheEntryWithTheSelectedReservation() {
        QFETCH(bool, byKeyboard);
        entryDoes = [this](Dbclient::TClientDataSet*) {
            QCOMPARE(Reservas::CancelReservation(numbers["Bruno Lima"]),
                     Reservas::CancelResult::Cancelled);
        };
        QTest::keyClick(window.get(), Qt::Key_Return);
        tap("editReservation");
        if (byKeyboard) {
            for (const Qt::Key arrow : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                                        Qt::Key_Up, Qt::Key_Down}) {
                QTest::keyClick(window.get(), arrow);
            }
            QTest::keyClick(window.get(), Qt::Key_Return);
        } else {
            tapRow(2);
            tap("editReservation");
        }
        QTRY_COMPARE(entries.size(), std::size_t(1));
        QCOMPARE(entries[0].Tipo, EditReservation);
        QCOMPARE(entries[0].Nrresmesa, numbers["Bruno Lima"]);
        // Shown again as it is now, still selected.
        QCOMPARE(rowTexts(list(), 2)[5], QString("Cancelada"));
        QVERIFY(key("editReservation")->isEnabled());
        QVERIFY(!key("cancelReservation")->isEnabled());
    }

    void cancelAsksThenCancelsAndJournals_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    // Chegou and Não veio mark the selected reservation and, tapped again, take the mark back,
    // asking nothing; Histórico then lists every step.
    void serviceKeysMarkAndUndoAndTheHistoryListsThem() {
        struct Step {
            const char* key;
            QString status;
            QString arrival;
            QString caption;
            const char* event;
        };
        const QString undo = "Desfazer";
        const std::vector<Step> steps{
            {"arrived", "Utilizada", QStringLiteral(u"chegou \u00e0s 10:00"), undo, "arrived"},
            {"arrived", "Pendente", "", "Chegou", "undone"},
            {"noShow", QStringLiteral(u"N\u00e3o veio"), "", undo, "no_show"},
        };
        tapRow(2);
        // The line under the list says the guest in full, the record read in the background.
        QTRY_COMPARE(window->findChild<QLabel*>("daySelection")->text(),
                     QStringLiteral(u"Bruno Lima \u00b7 Aniversario \u00b7 nenhuma visita antes"));
        std::vector<QJsonObject> expected;
        for (const Step& step : steps) {
            tap(step.key);
            QCOMPARE(rowTexts(list(), 2)[5], step.status);
            QCOMPARE(list()->item(2, 5)->data(Qt::UserRole).toString(), step.arrival);
            QCOMPARE(ToQString(key(step.key)->Caption()), step.caption);
            expected.push_back(
                QJsonObject{{"event", step.event},
                            {"nrresmesa", QString::fromLatin1(numbers["Bruno Lima"].c_str())}});
        }
        QVERIFY(questions.empty());
        QCOMPARE(journalEvents(), expected);
        tap("history");
        const QString history = ToQString(store->Messages.back().Detail);
        const QRegularExpression inOrder(
            QStringLiteral(u"Reserva feita.*Cliente chegou.*Marca desfeita.*Cliente n\u00e3o veio"),
            QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(history.contains(inOrder), qPrintable(history));
    }

    void cancelAsksThenCancelsAndJournals() {
        QFETCH(bool, yes);
        answer = yes;
        tapRow(2);
        tap("cancelReservation");
        QCOMPARE(questions.size(), std::size_t(1));
        QVERIFY(QString::fromLatin1(questions[0].c_str()).contains("Bruno Lima"));
        QCOMPARE(rowTexts(list(), 2)[5], yes ? QString("Cancelada") : QString("Pendente"));
        QCOMPARE(Reservas::FindReservation(numbers["Bruno Lima"])->IDSTRESMESA,
                 AnsiString(yes ? "C" : "P"));
        std::vector<QJsonObject> expected;
        if (yes) {
            expected.push_back(
                QJsonObject{{"event", "cancelled"},
                            {"nrresmesa", QString::fromLatin1(numbers["Bruno Lima"].c_str())}});
        }
        QCOMPARE(journalEvents(), expected);
        // A cancelled reservation cannot be cancelled again.
        tapRow(1);
        tap("cancelReservation");
        QCOMPARE(questions.size(), std::size_t(1));
    }

    // Alterar on a cancelled row opens no entry: it asks whether to bring the reservation back,
    // which picks its tables again.
    void editingACancelledRowAsksToBringItBack_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void editingACancelledRowAsksToBringItBack() {
        QFETCH(bool, yes);
        answer = yes;
        tablesToPick = {2};
        tapRow(1);
        tap("editReservation");
        QCOMPARE(questions.size(), std::size_t(1));
        QVERIFY2(ToQString(questions[0]).contains(QStringLiteral("Carla Dias")) &&
                     ToQString(questions[0]).contains(QStringLiteral("est\u00E1 cancelada")),
                 questions[0].c_str());
        QVERIFY(entries.empty());
        const std::vector<Reservas::DayReservation> day =
            Reservas::ReservationsOfDay(QDate(2026, 12, 8));
        QCOMPARE(day[1].Reservation.IDSTRESMESA, AnsiString(yes ? "P" : "C"));
        QCOMPARE(day[1].Mesas, yes ? std::vector<int>{2} : std::vector<int>{});
        QCOMPARE(rowTexts(list(), 1)[5], yes ? QString("Pendente") : QString("Cancelada"));
        std::vector<QJsonObject> expected;
        if (yes) {
            expected.push_back(
                QJsonObject{{"event", "reactivated"},
                            {"nrresmesa", QString::fromLatin1(numbers["Carla Dias"].c_str())}});
        }
        QCOMPARE(journalEvents(), expected);
    }

    void anErrorOfTheEntryIsShownAndTheWindowGoesOn() {
        entryDoes = [](Dbclient::TClientDataSet*) { throw Sysutils::Exception("sem papel"); };
        tap("newReservation");
        QTRY_COMPARE(errors, std::vector<AnsiString>{"sem papel"});
        QVERIFY(window->isVisible());
        entryDoes = nullptr;
        tap("newReservation");
        QTRY_COMPARE(entries.size(), std::size_t(2));
        QCOMPARE(errors.size(), std::size_t(1));
    }

    // Keys on the screen and on the keyboard, each layout its own characters, up to the most
    // asked for; Voltar and Esc answer nothing.
    void theTouchKeysTypeAText_data() {
        QTest::addColumn<bool>("digits");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("typed"); // "-": nothing answered
        QTest::newRow("letters on the screen")
            << false << QStringList{"keyS",     "keyI",       "keyL", "keyErase",
                                    "keySpace", "keyCedilla", "key7", "keyOk"}
            << QString::fromUtf8("SI Ç7");
        QTest::newRow("letters on the keyboard")
            << false << QStringList{"'Zé 12#", "Backspace", "Return"} << QString::fromUtf8("Zé 1");
        QTest::newRow("at most the length asked")
            << false << QStringList{"'abcdefghijklmnop", "keyOk"} << "abcdefghij";
        QTest::newRow("cleared") << false
                                 << QStringList{"'ana", "keyClear", "'bia", "Delete", "keyOk"}
                                 << "";
        QTest::newRow("digits take digits alone")
            << true << QStringList{"'1a2 3", "keyClear", "key4", "key0", "Return"} << "40";
        QTest::newRow("Voltar") << true << QStringList{"key1", "keyBack"} << "-";
        QTest::newRow("Esc") << false << QStringList{"'ana", "Escape"} << "-";
    }
    void theTouchKeysTypeAText() {
        QFETCH(bool, digits);
        QFETCH(QStringList, steps);
        QFETCH(QString, typed);
        onNextDialog([&](QDialog* dialog) {
            // Each layout shows its own keys.
            QCOMPARE(dialog->findChild<TBlendedButton*>("keyA") == nullptr, digits);
            play(dialog, steps);
        });
        const std::optional<QString> typedText =
            AskOnKeys("Quem?", digits ? KeysLayout::Digits : KeysLayout::Letters, 10, "");
        QCOMPARE(typedText.value_or("-"), typed);
    }

    // Buscar lists what it found, today's and later ones first, with each guest's record; a tap
    // opens the reservation's day with it selected.
    void findListsReservationsAndOpensTheOneTapped() {
        reserve("Ana Souza", "20/12/2026", "2000", "2200", "1177778888", "2", {});
        const AnsiString earlier =
            reserve("Ana Reis", "01/12/2026", "1200", "1400", "1133334444", "4", {});
        QVERIFY(OtherTerminal(store->Database.Location())
                    .Run("UPDATE RESERVAMESA SET IDSTRESMESA = 'U' WHERE NRRESMESA = " +
                         ToQString(earlier)));
        QList<QStringList> shown;
        onNextDialog([&](QDialog* keys) {
            onNextDialog([&](QDialog* found) {
                auto* rows = found->findChild<QTableWidget*>("foundList");
                shown = allRows(rows);
                QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                                  rows->visualItemRect(rows->item(1, 0)).center());
            });
            play(keys, {"'ana", "keyOk"});
        });
        tap("findReservation");
        const QString returning = QString::fromUtf8("» Ana Reis\n1 visita, última em 01/12/2026");
        const QList<QStringList> expected{
            {"08/12/2026", "12:00", returning, "4", "(11) 3333-4444", "Pendente"},
            {"20/12/2026", "20:00", "Ana Souza\nnenhuma visita antes", "2", "(11) 7777-8888",
             "Pendente"},
            {"01/12/2026", "12:00", returning, "4", "(11) 3333-4444", "Utilizada"},
        };
        QCOMPARE(shown, expected);
        QCOMPARE(heading(), QString("Domingo, 20/12/2026"));
        QCOMPARE(selectedName(), QString("Ana Souza"));
        QVERIFY(key("editReservation")->isEnabled());
        QCOMPARE(errors, std::vector<AnsiString>());
    }

    void findSaysWhenNothingIsFound() {
        const std::size_t messages = store->Messages.size();
        onNextDialog([](QDialog* keys) { play(keys, {"keyZ", "keyZ", "keyOk"}); });
        tap("findReservation");
        QCOMPARE(store->Messages.size(), messages + 1);
        QCOMPARE(ToQString(store->Messages.back().Text),
                 QString("Nenhuma reserva encontrada para \"ZZ\"."));
        QCOMPARE(heading(), QString::fromUtf8("Terça-feira, 08/12/2026"));
    }

    // Full screen, leaving asks first; a kiosk has no Sair and Esc does nothing.
    void exitKeyAndEscapeEndTheWindow_data() {
        QTest::addColumn<bool>("escape");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("ends");
        for (const bool escape : {false, true}) {
            const char* way = escape ? "Esc" : "exit key";
            QTest::addRow("%s", way) << escape << "window" << true;
            QTest::addRow("%s, full screen, yes", way) << escape << "full screen, yes" << true;
            QTest::addRow("%s, full screen, no", way) << escape << "full screen, no" << false;
            QTest::addRow("%s, kiosk", way) << escape << "kiosk" << false;
        }
    }

    void exitKeyAndEscapeEndTheWindow() {
        QFETCH(bool, escape);
        QFETCH(QString, mode);
        QFETCH(bool, ends);
        if (mode.startsWith("full screen")) {
            window->UseFullScreen();
            answer = mode.endsWith("yes");
        } else if (mode == "kiosk") {
            window->HideExit();
            QVERIFY(key("exit")->isHidden());
        }
        window->hide();
        bool endedByTheOperator = false;
        QTimer::singleShot(0, window.get(), [&] {
            const EndModalOnExit end(window.get());
            if (escape) {
                QTest::keyClick(window.get(), Qt::Key_Escape);
            } else {
                tap("exit");
            }
            endedByTheOperator = !window->isVisible();
            if (!endedByTheOperator) {
                window->Close();
            }
        });
        window->ShowModal();
        QCOMPARE(endedByTheOperator, ends);
        QCOMPARE(questions.size(), std::size_t(mode.startsWith("full screen") ? 1 : 0));
    }
};

QTEST_MAIN(DayWindowTest)
#include "test_daywindow.moc"
