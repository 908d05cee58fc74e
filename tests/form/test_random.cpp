#include "randomrun.h"
#include "randomsettings.h"

#include "module/tfrminclusaoreserva.h"

#include <QApplication>
#include <QTest>

// Random events on the entry screen, checked after every one (see EntryProperties).
//
//   QT_QPA_PLATFORM=offscreen build/default/bin/test_form_random --seed 1234 --events 5000
//
// plays 5000 events from seed 1234; --seeds K plays K sequences from consecutive seeds, and
// RANDOM_SEED, RANDOM_SEEDS and RANDOM_EVENTS say the same from the environment. Without a
// seed the run starts at a random one and says which. A broken property fails the run with the
// seed, the event and the command that plays it again up to that event.

namespace {

// Events per seed when neither the command line nor the environment says.
constexpr int defaultEvents = 2000;

// A run this long that never reached the description, or never had a reservation stored and
// one refused, no longer drives the screen far enough for the hand-off properties to count.
constexpr long long runThatMustReachTheHandOff = 10000;

} // namespace

class RandomEventsTest : public QObject {
    Q_OBJECT

public:
    explicit RandomEventsTest(const RandomRunSettings& settings) : settings_(settings) {}

private slots:
    void everyEventKeepsTheEntryScreenConsistent() {
        if (!settings_.seedGiven) {
            qInfo("no seed given: starting at seed %u", settings_.firstSeed);
        }
        SeedResult total;
        for (int index = 0; index < settings_.seeds; ++index) {
            const std::uint32_t seed = settings_.firstSeed + std::uint32_t(index);
            const SeedResult result = RunSeed(seed, settings_.events);
            qInfo("seed %u (%d of %d): %d screens, %d stored, %d refused or gone back, deepest "
                  "step %d",
                  seed, index + 1, settings_.seeds, result.screens, result.stored, result.refused,
                  result.deepestStep);
            if (result.failedEvent != 0) {
                const QString replay =
                    QStringLiteral("QT_QPA_PLATFORM=offscreen %1 --seed %2 --events %3")
                        .arg(QCoreApplication::applicationFilePath())
                        .arg(seed)
                        .arg(result.failedEvent);
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2 (%3): %4\nreplay: %5")
                                     .arg(seed)
                                     .arg(result.failedEvent)
                                     .arg(result.event, result.broken, replay)));
            }
            total.stored += result.stored;
            total.refused += result.refused;
            total.deepestStep = std::max(total.deepestStep, result.deepestStep);
        }
        if (static_cast<long long>(settings_.seeds) * settings_.events >=
            runThatMustReachTheHandOff) {
            QVERIFY2(total.deepestStep == int(EntryStep::Description) && total.stored > 0 &&
                         total.refused > 0,
                     "the events never got a reservation both stored and refused");
        }
    }

private:
    RandomRunSettings settings_;
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QStringList arguments = QCoreApplication::arguments();
    const std::optional<RandomRunSettings> settings =
        TakeRandomRunSettings(arguments, defaultEvents);
    if (!settings) {
        return 2;
    }
    RandomEventsTest test(*settings);
    return QTest::qExec(&test, arguments);
}

#include "test_random.moc"
