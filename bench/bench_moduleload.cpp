// Loading the reservation module until its entry function is ready, as the terminal does it
// (host/moduleloader), against loading through QLibrary, the same way, a library that holds
// nothing but an entry function of that name. A library is loaded only once in a process, so
// each sample is a fresh process of this program, started with --load and in the terminal's
// state before it loads the module; its start-up is not timed.

#include "framework/data/dbclient.h"
#include "host/moduleloader.h"
#include "host/reservationdataset.h"
#include "hostlib/parameters.h"
#include "reservas/hooks.h"
#include "support/environment.h"
#include "support/sampling.h"

#include <QApplication>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QTest>
#include <cstdio>

namespace {

const QString loadOption = QStringLiteral("--load");

bool loaded(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

// One sample in this process: prints the time of the load in milliseconds; exit code 1 when it
// failed, with the reason.
int loadOnce(bool module) {
    // The terminal has used the module's siblings before it loads the module: it has read the
    // display scheme, prepared the reservation it hands over and said who is told of a stored
    // one.
    DisplayScheme();
    Dbclient::TClientDataSet reservation;
    PrepareNewReservation(reservation);
    Reservas::SetStoredObserver({});
    for (const char* library :
         {"libframework.so", "libhostlib.so", "libreservas_store.so", "libreservas.so"}) {
        if (!loaded(library)) {
            std::fprintf(stderr, "%s is not loaded before the module\n", library);
            return 1;
        }
    }
    const QString folder = QCoreApplication::applicationDirPath();
    QElapsedTimer timer;
    timer.start();
    QString failure;
    if (module) {
        ReservationModule reservations;
        if (!reservations.load(folder) || reservations.entry() == nullptr) {
            failure = reservations.errorText();
        }
    } else {
        QLibrary trivial(folder + QStringLiteral("/bench_trivial"));
        if (!trivial.load() || trivial.resolve("CriaInclusaoReserva") == nullptr) {
            failure = trivial.errorString();
        }
    }
    const double ms = Bench::ElapsedMs(timer);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 1;
    }
    std::printf("%.6f\n", ms);
    return 0;
}

double loadInFreshProcessMs(bool module) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(),
                  {loadOption, module ? QStringLiteral("module") : QStringLiteral("trivial")});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        return Bench::NoSample("the loading process failed");
    }
    bool ok = false;
    const double ms = process.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? ms : Bench::NoSample("the loading process gave no time");
}

} // namespace

class ModuleLoadBench : public QObject {
    Q_OBJECT

private slots:
    void moduleLoad_data() {
        QTest::addColumn<bool>("ours");
        QTest::newRow("ours") << true;
        QTest::newRow("baseline") << false;
    }

    void moduleLoad() {
        QFETCH(bool, ours);
        const auto ms =
            Bench::MedianOf(Bench::SampleCount(21), [ours] { return loadInFreshProcessMs(ours); });
        QVERIFY(ms);
        QTest::setBenchmarkResult(*ms, QTest::WalltimeMilliseconds);
    }
};

int main(int argc, char** argv) {
    Bench::PrepareEnvironment();
    QApplication app(argc, argv);
    if (QCoreApplication::arguments().value(1) == loadOption) {
        return loadOnce(QCoreApplication::arguments().value(2) == QLatin1String("module"));
    }
    ModuleLoadBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_moduleload.moc"
