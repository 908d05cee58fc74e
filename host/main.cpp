#include "cancelrequest.h"
#include "commandline.h"
#include "daylist/daywindow.h"
#include "findrequest.h"
#include "journal.h"
#include "listreservations.h"
#include "moduleloader.h"
#include "preparedatabase.h"
#include "printday.h"
#include "replacetables.h"
#include "reservationdataset.h"
#include "screenshot.h"
#include "settings.h"
#include "showreservation.h"
#include "terminaltexts.h"
#include "touchinput/askonkeys.h"

#include "framework/data/dbclient.h"
#include "framework/events.h"
#include "framework/sysutils.h"
#include "hostlib/parameters.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QStandardPaths>
#include <cstdio>
#include <new>
#include <optional>

namespace {

void say(QString text, bool error) {
    if (!text.endsWith(QLatin1Char('\n'))) {
        text += QLatin1Char('\n');
    }
    std::fputs(qPrintable(text), error ? stderr : stdout);
}

void complain(const QString& text) {
    say(text, true);
}

// The folder of the program itself, known before any application object exists; an installed
// program is reached through a link in the folder of programs.
QString programFolder(const char* argv0) {
    QString program = QString::fromLocal8Bit(argv0);
    if (!program.contains(QLatin1Char('/'))) {
        program = QStandardPaths::findExecutable(program);
    }
    return QFileInfo(program).canonicalPath();
}

// The screen names Arial, MS Sans Serif and Tahoma: draw them with the metric-compatible
// families the fonts file beside the program maps them to, unless the caller chose a file.
void useBundledFonts(const QString& folder) {
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE")) {
        return;
    }
    const QString fonts = QDir(folder).filePath(QStringLiteral("fonts.conf"));
    if (QFileInfo::exists(fonts)) {
        qputenv("FONTCONFIG_FILE", QFile::encodeName(fonts));
    }
}

// Without a screen to connect to, Qt would abort: the X11 and Wayland platforms name theirs in
// the environment; any other platform chosen by hand brings its own.
bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = qEnvironmentVariableIsSet("DISPLAY");
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (platform.isEmpty()) {
        return x11 || wayland;
    }
    if (platform.startsWith("xcb")) {
        return x11;
    }
    if (platform.startsWith("wayland")) {
        return wayland;
    }
    return true;
}

// Opens the journal the request names, if any, and hooks it to the terminal's events; false,
// said on standard error, when it cannot be written.
bool startJournal(const TerminalRequest& request, Journal& journal) {
    if (request.journal.isEmpty()) {
        journal.attach();
        return true;
    }
    if (!journal.open(request.journal)) {
        complain(journal.errorText());
        return false;
    }
    journal.setTerminal(Reservas::CurrentWorkstation().Terminal);
    journal.attach();
    return true;
}

// The requests that print or change something without a screen. The database drivers are
// plug-ins, which need an application object, not a screen.
int runWithoutScreen(int argc, char** argv, const TerminalRequest& request) {
    const QCoreApplication application(argc, argv);
    bool done = false;
    switch (request.path) {
    case TerminalRequest::Path::Show:
        done = ShowStoredReservation(FromQString(request.showNumber));
        break;
    case TerminalRequest::Path::List:
        done = PrintReservationsOfDay(request.listDay);
        break;
    case TerminalRequest::Path::Find:
        done = PrintFoundReservations(request.findText);
        break;
    case TerminalRequest::Path::Tables:
        done = ReplaceRestaurantTables(request.tables);
        break;
    case TerminalRequest::Path::Prepare:
        done = PrepareForTerminals(request.grantRole);
        break;
    case TerminalRequest::Path::Cancel: {
        Journal journal;
        done = startJournal(request, journal) &&
               CancelFromCommandLine(FromQString(request.cancelNumber), journal);
        break;
    }
    default:
        break;
    }
    return done ? Done : BadRequest;
}

// Journals each reservation once it is stored, with its tables, and says so in stored when given.
void journalStored(Journal& journal, bool* stored) {
    Reservas::SetStoredObserver(
        [&journal, stored](const AnsiString& nrresmesa, const std::vector<int>& mesas) {
            if (stored != nullptr) {
                *stored = true;
            }
            QJsonArray tables;
            for (const int mesa : mesas) {
                tables.append(mesa);
            }
            journal.write(
                {{"event", "stored"}, {"nrresmesa", ToQString(nrresmesa)}, {"mesas", tables}});
        });
}

// Fills the reservation the screen opens with: a stored one to edit, or a new one.
bool prepareReservation(const TerminalRequest& request, Dbclient::TClientDataSet& reservation) {
    try {
        if (request.editNumber.isEmpty()) {
            PrepareNewReservation(reservation);
        } else if (!PrepareStoredReservation(reservation, FromQString(request.editNumber))) {
            complain(
                QStringLiteral("no stored reservation has the number %1").arg(request.editNumber));
            return false;
        }
    } catch (const std::exception& error) {
        const QString reason = ConsoleErrorText(error);
        complain(request.editNumber.isEmpty() ? reason
                                              : QStringLiteral("cannot read the reservation %1: %2")
                                                    .arg(request.editNumber, reason));
        return false;
    }
    return true;
}

// What both screens start with: the journal, and the module loaded from beside the program.
// Nothing when both are ready, else the exit code, the reason said on standard error.
std::optional<int> startTerminal(const TerminalRequest& request, Journal& journal,
                                 ReservationModule& module) {
    if (!startJournal(request, journal)) {
        return BadRequest;
    }
    if (!module.load(QCoreApplication::applicationDirPath())) {
        complain(module.errorText());
        return NoModule;
    }
    return std::nullopt;
}

// The reservation screen, for the operator or, offscreen, for a screenshot.
int openScreen(const TerminalRequest& request) {
    Journal journal;
    ReservationModule module;
    if (const std::optional<int> failed = startTerminal(request, journal, module)) {
        return *failed;
    }

    bool stored = false;
    journalStored(journal, &stored);

    Dbclient::TClientDataSet reservation;
    reservation.setObjectName(QStringLiteral("cdsReservaTerminal"));
    if (!prepareReservation(request, reservation)) {
        return BadRequest;
    }
    const bool screenshot = request.path == TerminalRequest::Path::Screenshot;
    if (screenshot) {
        CaptureNextScreen(request.screenshot);
    }
    try {
        module.entry()(request.editNumber.isEmpty() ? NewReservation : EditReservation,
                       &reservation);
    } catch (const std::exception& error) {
        // A screenshot of the error dialog would pass for the screen: said instead, as any
        // other request that cannot be done.
        if (screenshot) {
            complain(ConsoleErrorText(error));
            return BadRequest;
        }
        Forms::ShowException(error);
        return NotStored;
    }
    if (screenshot) {
        if (const std::optional<QString> failure = ScreenshotFailure()) {
            complain(*failure);
            return BadRequest;
        }
        return Stored;
    }
    return stored ? Stored : NotStored;
}

// The day's printout, drawn with the fonts the screen uses but without a screen.
int printDay(const TerminalRequest& request) {
    Journal journal;
    if (!startJournal(request, journal)) {
        return BadRequest;
    }
    return PrintDayToFile(request.listDay, request.printFile, request.dinnerFrom, journal)
               ? Done
               : BadRequest;
}

// The operator says who works at the terminal before the day's reservations open; going back
// ends the program, as Sair does.
bool askOperator(const TerminalRequest& request) {
    for (;;) {
        const std::optional<QString> code =
            AskOnKeys(TerminalText("OPERADOR_PERGUNTA"), KeysLayout::Digits,
                      int(Reservas::ColumnLength("CDOPERINCRES")), DisplayScheme());
        if (!code) {
            return false;
        }
        if (!code->isEmpty()) {
            Reservas::SetWorkstation(request.terminalName, *code);
            return true;
        }
    }
}

// The day's reservations, the screen a restaurant keeps open all day. A fresh database is made
// ready first, so that the first day shows empty instead of an error.
int openDayWindow(const TerminalRequest& request) {
    try {
        Reservas::PrepareDatabase();
    } catch (const std::exception& error) {
        complain(ConsoleErrorText(error));
        return BadRequest;
    }
    Journal journal;
    ReservationModule module;
    if (const std::optional<int> failed = startTerminal(request, journal, module)) {
        return *failed;
    }
    journalStored(journal, nullptr);
    if (request.askOperator && !askOperator(request)) {
        return Done;
    }

    TDayWindow window(module.entry(), journal);
    window.SetDinnerFrom(request.dinnerFrom);
    if (request.fullscreen) {
        window.UseFullScreen();
    }
    if (request.kiosk) {
        window.HideExit();
    }
    window.ShowModal();
    return Done;
}

} // namespace

// Running out of memory anywhere ends the program with a message and exit code 2, not an abort.
int main(int argc, char** argv) try {
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        arguments << QString::fromLocal8Bit(argv[index]);
    }
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.request) {
        say(parsed.text, parsed.textIsError);
        return parsed.exitCode;
    }
    TerminalRequest request = *parsed.request;
    if (const std::optional<QString> wrong = ApplySettings(SettingsFile(), request)) {
        complain(*wrong);
        return BadRequest;
    }

    QCoreApplication::setApplicationName(QStringLiteral("reservas-terminal"));
    Reservas::SetWorkstation(request.terminalName, request.operatorCode);
    if (!request.database.isEmpty()) {
        // A bad URL is said before any window opens; the text never repeats a password.
        try {
            Reservas::ParseDatabaseLocation(request.database);
        } catch (const Sysutils::Exception& error) {
            complain(ToQString(error.Message()));
            return BadRequest;
        }
        Reservas::SetDatabaseLocation(request.database);
    }
    switch (request.path) {
    case TerminalRequest::Path::Show:
    case TerminalRequest::Path::List:
    case TerminalRequest::Path::Find:
    case TerminalRequest::Path::Tables:
    case TerminalRequest::Path::Cancel:
    case TerminalRequest::Path::Prepare:
        return runWithoutScreen(argc, argv, request);
    case TerminalRequest::Path::Screenshot:
    case TerminalRequest::Path::Print:
        // Pictures and paper need fonts, never a screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        break;
    case TerminalRequest::Path::Entry:
    case TerminalRequest::Path::Day:
        if (!displayAvailable()) {
            complain(QStringLiteral("reservas-terminal needs a display: start it on the "
                                    "terminal's screen, or under xvfb-run for a test."));
            return BadRequest;
        }
        break;
    }
    useBundledFonts(programFolder(argv[0]));
    QApplication application(argc, argv);
    if (request.path == TerminalRequest::Path::Day) {
        return openDayWindow(request);
    }
    if (request.path == TerminalRequest::Path::Print) {
        return printDay(request);
    }
    return openScreen(request);
} catch (const std::bad_alloc&) {
    // A fixed text: there may be no memory left to build one.
    std::fputs("reservas-terminal: memória insuficiente; o programa foi encerrado.\n", stderr);
    return BadRequest;
}
