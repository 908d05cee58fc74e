// The entry screen against a bare QDialog holding as many labels, buttons and shapes at the same
// places (screen/barescreen.h):
// - entryToFirstFrame: from the module's entry call (as the terminal makes it) to the end of the
//   screen's first paint, against constructing the bare dialog and showing it modally;
// - tapToRepaint: from a tap on a letter key to the name painted anew with the letter, against
//   a text change of the bare dialog's label in the same place painted anew.

#include "framework/data/dbclient.h"
#include "module/cli_res01400.h"
#include "module/tfrminclusaoreserva.h"
#include "reservas/reservas.h"
#include "screen/barescreen.h"
#include "screen/paintwatch.h"
#include "support/environment.h"
#include "support/sampling.h"
#include "support/storesetup.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

// The name's label is emptied again, untimed, before it grows this long.
constexpr qsizetype longestName = 40;

const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// The time to the end of the first frame of the modal window that show() puts up.
double firstFrameMs(const std::function<void()>& show) {
    QElapsedTimer timer;
    double ms = std::nan("");
    const Bench::ModalGuard guard;
    const Bench::FirstFrame frame([&](QWidget* window) {
        ms = Bench::ElapsedMs(timer);
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->done(QDialog::Rejected);
        }
    });
    timer.start();
    show();
    return guard.Fired() || std::isnan(ms) ? Bench::NoSample("no frame was painted") : ms;
}

// The time from action to the end of the label's next paint.
double repaintMs(QWidget* label, const Bench::PaintCount& paints,
                 const std::function<void()>& action) {
    const int before = paints.Count();
    QElapsedTimer timer;
    timer.start();
    action();
    if (!Bench::WaitForPaint(paints, before)) {
        return Bench::NoSample(qPrintable(label->objectName() + QStringLiteral(" not painted")));
    }
    return Bench::ElapsedMs(timer);
}

} // namespace

class ScreenBench : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Bench::StoreSetup> setup_;
    Bench::ScreenPlan plan_;

private slots:
    void initTestCase() {
        setup_ = std::make_unique<Bench::StoreSetup>(1);
        const auto reservation = Bench::NewReservationDataset();
        TfrmInclusaoReserva form(nullptr);
        form.InicializaForm(NewReservation, reservation.get());
        plan_ = Bench::PlanOf(form);
        qInfo("the screen has %zu widgets", plan_.widgets.size());
    }

    void cleanupTestCase() {
        QVERIFY2(setup_->Errors.empty(), "the screen raised an error");
        QCOMPARE(setup_->Messages, 0);
        setup_.reset();
    }

    void entryToFirstFrame_data() {
        QTest::addColumn<bool>("ours");
        QTest::newRow("ours") << true;
        QTest::newRow("baseline") << false;
    }

    void entryToFirstFrame() {
        QFETCH(bool, ours);
        const auto ms = Bench::MedianOf(Bench::SampleCount(15), [&] {
            if (!ours) {
                return firstFrameMs([&] {
                    Bench::BareScreen screen(plan_);
                    screen.exec();
                });
            }
            // The terminal has its reservation ready before it calls.
            const auto reservation = Bench::NewReservationDataset();
            return firstFrameMs([&] { CriaInclusaoReserva(NewReservation, reservation.get()); });
        });
        QVERIFY(ms);
        QVERIFY(Cli_res01400::frmInclusaoReserva == nullptr);
        QTest::setBenchmarkResult(*ms, QTest::WalltimeMilliseconds);
    }

    void tapToRepaint_data() {
        QTest::addColumn<bool>("ours");
        QTest::newRow("ours") << true;
        QTest::newRow("baseline") << false;
    }

    void tapToRepaint() {
        QFETCH(bool, ours);
        const int samples = Bench::SampleCount(101);
        int tap = 0;
        std::optional<double> ms;
        if (ours) {
            const auto reservation = Bench::NewReservationDataset();
            TfrmInclusaoReserva form(nullptr);
            form.InicializaForm(NewReservation, reservation.get());
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            const Bench::PaintCount paints(form.lblNome);
            ms = Bench::MedianOf(samples, [&] {
                if (form.lblNome->text().size() >= longestName) {
                    form.sbtLimpar->Click();
                    QCoreApplication::processEvents();
                }
                auto* key = form.findChild<TBlendedButton*>(QStringLiteral("sbt") +
                                                            letters[tap++ % letters.size()]);
                return repaintMs(form.lblNome, paints, [key] { key->Click(); });
            });
        } else {
            Bench::BareScreen screen(plan_);
            screen.show();
            QVERIFY(QTest::qWaitForWindowExposed(&screen));
            QLabel* name = screen.Label(QStringLiteral("lblNome"));
            QVERIFY(name != nullptr);
            const Bench::PaintCount paints(name);
            ms = Bench::MedianOf(samples, [&] {
                if (name->text().size() >= longestName) {
                    name->clear();
                    QCoreApplication::processEvents();
                }
                const QChar letter = letters[tap++ % letters.size()];
                return repaintMs(name, paints, [&] { name->setText(name->text() + letter); });
            });
        }
        QVERIFY(ms);
        QTest::setBenchmarkResult(*ms, QTest::WalltimeMilliseconds);
    }
};

int main(int argc, char** argv) {
    Bench::PrepareEnvironment();
    QApplication app(argc, argv);
    ScreenBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_screen.moc"
