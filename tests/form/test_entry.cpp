#include "formfixture.h"

#include "framework/graphics.h"
#include "framework/screen.h"
#include "module/cli_res01400.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using Cli_res01400::boInclusaoReser;
using Cli_res01400::frmInclusaoReserva;

namespace {

// Remembers every text the captions were translated from.
class RecordingTranslator : public QTranslator {
public:
    mutable QStringList asked;
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (qstrcmp(context, "TfrmInclusaoReserva") == 0) {
            asked << QString::fromUtf8(sourceText);
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class EntryTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        Forms::Screen->SetCursor(Forms::crDefault);
        QCOMPARE(frmInclusaoReserva, nullptr);
        QVERIFY(!boInclusaoReser);
    }

    void eachCallCreatesShowsAndDestroysItsOwnForm() {
        FormWatch watch;
        const auto reservation = MakeReservation({});
        QPointer<TfrmInclusaoReserva> first;
        WhenShown([&](TfrmInclusaoReserva& form) {
            first = &form;
            QVERIFY(boInclusaoReser);
            QCOMPARE(Forms::Screen->Cursor(), Forms::crDefault);
            Tap(form, "Ana");
            form.sbtSair->Click();
        });
        Cli_res01400::CriaInclusaoReserva(1, reservation.get());
        QVERIFY(first.isNull());
        QCOMPARE(frmInclusaoReserva, nullptr);
        QVERIFY(!boInclusaoReser);

        QPointer<TfrmInclusaoReserva> second;
        WhenShown([&](TfrmInclusaoReserva& form) {
            second = &form;
            QCOMPARE(FormStateAccess::inCampo(form), 1);
            QCOMPARE(form.lblNome->Caption(), AnsiString());
            form.sbtSair->Click();
        });
        Cli_res01400::CriaInclusaoReserva(1, reservation.get());
        QVERIFY(second.isNull());
        QVERIFY(watch.handOffs.empty());
    }

    void theFormIsBorderlessCentredAndSizedAsLaidOut() {
        FormWatch watch;
        const auto reservation = MakeReservation({});
        WhenShown([&](TfrmInclusaoReserva& form) {
            QCOMPARE(form.size(), QSize(723, 582));
            QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
            QCOMPARE(form.windowTitle(), QStringLiteral("Dados da Reserva"));
            // The frame shape covers the window colour: the reference picture cannot show it.
            QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::black));
            const QRect screen = form.screen()->geometry();
            QVERIFY(qAbs(form.geometry().center().x() - screen.center().x()) <= 1);
            QVERIFY(qAbs(form.geometry().center().y() - screen.center().y()) <= 1);
            form.sbtSair->Click();
        });
        Cli_res01400::CriaInclusaoReserva(1, reservation.get());
    }

    void anInitialisationFailureReachesTheCallerAndLeavesNoForm() {
        FormWatch watch;
        // A host dataset that lacks a field of the record layout.
        Dbclient::TClientDataSet incomplete;
        incomplete.setObjectName(QStringLiteral("cdsHost"));
        incomplete.AddFieldDef("NMRESMESA", Db::TFieldType::ftString, 50);
        incomplete.CreateDataSet();
        bool raised = false;
        try {
            Cli_res01400::CriaInclusaoReserva(1, &incomplete);
        } catch (const Db::EDatabaseError& error) {
            raised = true;
            QVERIFY(AnsiString(error.what()).find("DSRESMESA") != AnsiString::npos);
        }
        QVERIFY(raised);
        QCOMPARE(frmInclusaoReserva, nullptr);
        QVERIFY(!boInclusaoReser);
        QCOMPARE(Forms::Screen->Cursor(), Forms::crHourGlass);
    }

    void tradRunsOnceBeforeInitialisation() {
        FormWatch watch;
        RecordingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        ReservationRow row = PrefilledRow();
        row.nome = "Maria Prefilled";
        const auto reservation = MakeReservation({row});
        WhenShown([](TfrmInclusaoReserva& form) { form.sbtSair->Click(); });
        Cli_res01400::CriaInclusaoReserva(2, reservation.get());
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(translator.asked.count(QStringLiteral("Nome")), 1);
        QCOMPARE(translator.asked.count(QStringLiteral("q")), 1);
        // What the initialisation wrote afterwards never passed through the translation.
        QVERIFY(!translator.asked.contains(QStringLiteral("Maria Prefilled")));
        QVERIFY(!translator.asked.contains(QStringLiteral("Q")));
    }

    void aNestedCallLeavesTheShownFormAlone() {
        FormWatch watch;
        const auto reservation = MakeReservation({});
        WhenShown([&](TfrmInclusaoReserva& form) {
            TfrmInclusaoReserva* shown = &form;
            Tap(form, "Jo");
            Cli_res01400::CriaInclusaoReserva(1, reservation.get());
            QCOMPARE(frmInclusaoReserva, shown);
            QVERIFY(boInclusaoReser);
            QVERIFY(shown->isVisible());
            QCOMPARE(shown->lblNome->Caption(), AnsiString("Jo"));
            shown->sbtSair->Click();
        });
        Cli_res01400::CriaInclusaoReserva(1, reservation.get());
    }

    void aHandlerErrorIsReportedAndTheScreenStays() {
        FormWatch watch;
        watch.handOffFailure = "database is locked";
        ReservationRow row = PrefilledRow();
        row.nome = "Ana";
        const auto reservation = MakeReservation({row});
        const ClockAt clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        bool stillShown = false;
        WhenShown([&](TfrmInclusaoReserva& form) {
            for (int step = 1; step <= 7; ++step) {
                TapEnter(form);
            }
            // The hand-off failed: the screen stays on the description with every value.
            stillShown = form.isVisible() && !form.CloseRequested();
            QCOMPARE(FormStateAccess::inCampo(form), 7);
            QCOMPARE(form.lblNome->Caption(), AnsiString("Ana"));
            TapEnter(form);
        });
        Cli_res01400::CriaInclusaoReserva(2, reservation.get());
        QVERIFY(stillShown);
        QCOMPARE(watch.errors, std::vector<AnsiString>{"database is locked"});
        QCOMPARE(watch.handOffs.size(), std::size_t(2));
    }

    void theSilentAbortShowsNothingAndTheScreenStays() {
        FormWatch watch;
        const auto reservation = MakeReservation({});
        WhenShown([&](TfrmInclusaoReserva& form) {
            Tap(form, "Ana");
            TapEnter(form);
            Tap(form, "3102");
            TapEnter(form); // not a date: reported, cleared, ended by the silent abort
            QVERIFY(form.isVisible());
            form.sbtSair->Click();
        });
        Cli_res01400::CriaInclusaoReserva(1, reservation.get());
        QVERIFY(watch.errors.empty());
        QCOMPARE(watch.messages.size(), std::size_t(1));
    }
};

QTEST_MAIN(EntryTest)
#include "test_entry.moc"
