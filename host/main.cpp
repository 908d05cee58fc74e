#include "host/journal.h"
#include "host/moduleloader.h"
#include "host/reservationdataset.h"
#include "host/screenshot.h"
#include "host/showreservation.h"

#include "framework/data/dbclient.h"
#include "framework/events.h"
#include "framework/sysutils.h"
#include "reservas/reservationstore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace {

enum ExitCode { Stored = 0, NotStored = 1, BadRequest = 2, NoModule = 3 };

void complain(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The screen names Arial, MS Sans Serif and Tahoma: draw them with the metric-compatible
// families the fonts file beside the program maps them to, unless the caller chose a file.
void useBundledFonts(const char* argv0) {
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE")) {
        return;
    }
    const QString fonts =
        QFileInfo(QString::fromLocal8Bit(argv0)).absoluteDir().filePath("fonts.conf");
    if (QFileInfo::exists(fonts)) {
        qputenv("FONTCONFIG_FILE", QFile::encodeName(fonts));
    }
}

// A screenshot, a stored reservation or the help need no screen: they work without a display.
bool needsNoDisplay(int argc, char** argv) {
    for (int index = 1; index < argc; ++index) {
        for (const char* option : {"--screenshot", "--show", "--help", "-h"}) {
            if (qstrcmp(argv[index], option) == 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    useBundledFonts(argv[0]);
    if (needsNoDisplay(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("reservas-terminal"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Restaurant terminal: enters and edits table reservations."));
    parser.addHelpOption();
    const QCommandLineOption newOption(QStringLiteral("new"),
                                       QStringLiteral("Open the screen for a new reservation."));
    const QCommandLineOption editOption(QStringLiteral("edit"),
                                        QStringLiteral("Edit the stored reservation NRRESMESA."),
                                        QStringLiteral("NRRESMESA"));
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("The reservations database file."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption journalOption(
        QStringLiteral("journal"), QStringLiteral("Append every event as a JSON line to FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Save the screen for a new reservation to FILE (PNG) and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption showOption(
        QStringLiteral("show"),
        QStringLiteral("Print the stored reservation NRRESMESA as a JSON line and exit."),
        QStringLiteral("NRRESMESA"));
    parser.addOptions(
        {newOption, editOption, dbOption, journalOption, screenshotOption, showOption});
    parser.process(application);

    if (parser.isSet(dbOption)) {
        Reservas::SetDatabaseFile(parser.value(dbOption));
    }
    if (parser.isSet(showOption)) {
        return ShowStoredReservation(FromQString(parser.value(showOption))) ? Stored : BadRequest;
    }

    Journal journal;
    if (parser.isSet(journalOption)) {
        if (!journal.open(parser.value(journalOption))) {
            complain(QStringLiteral("cannot write the journal %1: %2")
                         .arg(parser.value(journalOption), journal.errorText()));
            return BadRequest;
        }
        journal.attach();
    }

    ReservationModule module;
    if (!module.load(QCoreApplication::applicationDirPath())) {
        complain(module.errorText());
        return NoModule;
    }

    bool stored = false;
    Reservas::SetStoredObserver([&journal, &stored](const AnsiString& nrresmesa) {
        stored = true;
        journal.write({{"event", "stored"}, {"nrresmesa", ToQString(nrresmesa)}});
    });

    Dbclient::TClientDataSet reservation;
    reservation.setObjectName(QStringLiteral("cdsReservaTerminal"));
    int tipo = 1;
    try {
        if (parser.isSet(editOption)) {
            const AnsiString number = FromQString(parser.value(editOption));
            if (!PrepareStoredReservation(reservation, number)) {
                complain(QStringLiteral("no stored reservation has the number %1")
                             .arg(parser.value(editOption)));
                return BadRequest;
            }
            tipo = 2;
        } else {
            PrepareNewReservation(reservation);
        }
    } catch (const std::exception& error) {
        const QString reason = QString::fromLatin1(error.what());
        complain(parser.isSet(editOption) ? QStringLiteral("cannot read the reservation %1: %2")
                                                .arg(parser.value(editOption), reason)
                                          : reason);
        return BadRequest;
    }

    if (parser.isSet(screenshotOption)) {
        CaptureNextScreen(parser.value(screenshotOption));
    }
    try {
        module.entry()(tipo, &reservation);
    } catch (const std::exception& error) {
        Forms::ShowException(error.what());
        return NotStored;
    }
    if (parser.isSet(screenshotOption)) {
        if (!ScreenshotSaved()) {
            complain(QStringLiteral("cannot save the screenshot %1")
                         .arg(parser.value(screenshotOption)));
            return BadRequest;
        }
        return Stored;
    }
    return stored ? Stored : NotStored;
}
