#include "commandline.h"

#include <QCommandLineParser>

namespace {

ParsedCommandLine refused(const QString& text) {
    return {std::nullopt, text, true, BadRequest};
}

// A reservation number is a positive whole number.
bool isReservationNumber(const QString& text) {
    bool number = false;
    return text.toLongLong(&number) > 0 && number;
}

// A day as dd/mm/yyyy or yyyy-mm-dd; null when it is neither.
QDate dayFrom(const QString& text) {
    for (const QString& format : {QStringLiteral("dd/MM/yyyy"), QStringLiteral("yyyy-MM-dd")}) {
        const QDate day = QDate::fromString(text, format);
        if (day.isValid()) {
            return day;
        }
    }
    return {};
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Restaurant terminal: shows the day's table reservations, enters, edits and "
                       "cancels them. Without a request it opens the day's reservations.\n"
                       "Settings: reservas-terminal/reservas-terminal.conf in the user's "
                       "configuration folder ($XDG_CONFIG_HOME, ~/.config), keys fullscreen, db, "
                       "journal, dinner_from (the hour 0-23 dinner starts at in the day's "
                       "covers, 16 unless set), terminal (this terminal's name), operator (the "
                       "operator's code), ask_operator (true: ask the code at start) and kiosk "
                       "(true: no Sair); the command line wins."));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and exit."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Show the version and exit."));
    const QCommandLineOption newOption(
        QStringLiteral("new"), QStringLiteral("Open the screen for a new reservation and exit."));
    const QCommandLineOption editOption(
        QStringLiteral("edit"), QStringLiteral("Edit the stored reservation NRRESMESA and exit."),
        QStringLiteral("NRRESMESA"));
    const QCommandLineOption dbOption(
        QStringLiteral("db"),
        QStringLiteral("The reservations database: a SQLite file, or a shared server as "
                       "postgresql://user@host:port/dbname, the password in PGPASSWORD or "
                       "~/.pgpass (setting db=...)."),
        QStringLiteral("FILE|URL"));
    const QCommandLineOption journalOption(
        QStringLiteral("journal"),
        QStringLiteral("Append every event as a JSON line to FILE (setting journal=FILE)."),
        QStringLiteral("FILE"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Save the screen for a new reservation to FILE (PNG) and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption showOption(
        QStringLiteral("show"),
        QStringLiteral("Print the stored reservation NRRESMESA as a JSON line and exit."),
        QStringLiteral("NRRESMESA"));
    const QCommandLineOption listOption(
        QStringLiteral("list"),
        QStringLiteral("Print the reservations of DATE (dd/mm/yyyy or yyyy-mm-dd) as JSON lines "
                       "and exit."),
        QStringLiteral("DATE"));
    const QCommandLineOption printOption(
        QStringLiteral("print"),
        QStringLiteral("Write the day DATE (as --list takes it) to the PDF file FILE.pdf that "
                       "follows, as Imprimir prints it, and exit; needs no display."),
        QStringLiteral("DATE"));
    const QCommandLineOption findOption(
        QStringLiteral("find"),
        QStringLiteral("Print the reservations, on any day, whose name holds TEXT (in any case) or "
                       "whose telephone holds its digits (three or more) as JSON lines, today's "
                       "and later ones first, at most 50, and exit."),
        QStringLiteral("TEXT"));
    const QCommandLineOption tablesOption(
        QStringLiteral("tables"),
        QStringLiteral("Replace the restaurant's tables with LIST (\"1:4,2:2\": table number and "
                       "seats; \"\" for none) and exit."),
        QStringLiteral("LIST"));
    const QCommandLineOption cancelOption(
        QStringLiteral("cancel"),
        QStringLiteral("Cancel the stored reservation NRRESMESA, freeing its tables, and exit."),
        QStringLiteral("NRRESMESA"));
    const QCommandLineOption prepareOption(
        QStringLiteral("prepare-database"),
        QStringLiteral("As the database's owner: create the reservations' tables in FILE|URL, or "
                       "bring them up to date after an upgrade, and exit."),
        QStringLiteral("FILE|URL"));
    const QCommandLineOption grantOption(
        QStringLiteral("grant"),
        QStringLiteral("With --prepare-database on a server: let the terminals' ROLE book, list "
                       "and cancel, and nothing more."),
        QStringLiteral("ROLE"));
    const QCommandLineOption fullscreenOption(
        QStringLiteral("fullscreen"),
        QStringLiteral("Show the day's reservations full screen (setting fullscreen=true)."));
    parser.addOptions({helpOption, versionOption, newOption, editOption, dbOption, journalOption,
                       screenshotOption, showOption, listOption, printOption, findOption,
                       tablesOption, cancelOption, prepareOption, grantOption, fullscreenOption});

    parser.addPositionalArgument(QStringLiteral("FILE.pdf"),
                                 QStringLiteral("With --print: the PDF file to write."),
                                 QStringLiteral("[--print DATE FILE.pdf]"));

    if (!parser.parse(arguments)) {
        return refused(parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        // The command line is read before any application object names the program.
        return {std::nullopt,
                parser.helpText().replace(QStringLiteral("<executable_name>"),
                                          QStringLiteral("reservas-terminal")),
                false, Stored};
    }
    if (parser.isSet(versionOption)) {
        return {std::nullopt, QStringLiteral("reservas-terminal " RESERVAS_VERSION "\n"), false,
                Stored};
    }
    const bool printSet = parser.isSet(printOption);
    // --print alone takes a second value: the file after its day.
    const QStringList positional = parser.positionalArguments();
    if (printSet && positional.size() != 1) {
        return refused(QStringLiteral("--print takes a day and then the PDF file to write: "
                                      "--print DATE FILE.pdf."));
    }
    if (!printSet && !positional.isEmpty()) {
        return refused(QStringLiteral("Unexpected argument '%1'.").arg(positional.constFirst()));
    }
    const bool newSet = parser.isSet(newOption);
    const bool editSet = parser.isSet(editOption);
    const bool showSet = parser.isSet(showOption);
    const bool screenshotSet = parser.isSet(screenshotOption);
    const bool listSet = parser.isSet(listOption);
    const bool findSet = parser.isSet(findOption);
    const bool tablesSet = parser.isSet(tablesOption);
    const bool cancelSet = parser.isSet(cancelOption);
    const bool prepareSet = parser.isSet(prepareOption);
    // The screenshot is of the screen for a new reservation: --new with it asks nothing more.
    const int requests = int(newSet || screenshotSet) + int(editSet) + int(showSet) + int(listSet) +
                         int(findSet) + int(tablesSet) + int(cancelSet) + int(prepareSet) +
                         int(printSet);
    if (requests > 1 || (screenshotSet && editSet)) {
        return refused(QStringLiteral("--new, --edit, --show, --list, --print, --find, --tables, "
                                      "--cancel and --prepare-database exclude each other, and "
                                      "--screenshot shows a new reservation."));
    }
    if (parser.isSet(grantOption) && !prepareSet) {
        return refused(QStringLiteral("--grant goes with --prepare-database."));
    }
    if (prepareSet && parser.isSet(dbOption)) {
        return refused(QStringLiteral("--prepare-database names the database itself: leave out "
                                      "--db."));
    }
    if (parser.isSet(fullscreenOption) && requests > 0) {
        return refused(QStringLiteral("--fullscreen is for the day's reservations, which open "
                                      "without --new, --edit, --show, --list, --print, --find, "
                                      "--tables, --cancel, --prepare-database or --screenshot."));
    }
    for (const QCommandLineOption* numbered : {&editOption, &showOption, &cancelOption}) {
        const QString value = parser.value(*numbered);
        if (parser.isSet(*numbered) && !isReservationNumber(value)) {
            return refused(QStringLiteral("Bad value '%1' for --%2: a reservation number is a "
                                          "positive whole number.")
                               .arg(value, numbered->names().constFirst()));
        }
    }

    const QCommandLineOption& dayOption = printSet ? printOption : listOption;
    const QDate listDay = dayFrom(parser.value(dayOption));
    if ((listSet || printSet) && !listDay.isValid()) {
        return refused(QStringLiteral("Bad value '%1' for --%2: a day is dd/mm/yyyy or "
                                      "yyyy-mm-dd.")
                           .arg(parser.value(dayOption), dayOption.names().constFirst()));
    }

    if (findSet && parser.value(findOption).trimmed().isEmpty()) {
        return refused(QStringLiteral("--find needs a text: part of a name or of a telephone."));
    }

    TerminalRequest request;
    request.editNumber = parser.value(editOption);
    request.showNumber = parser.value(showOption);
    request.cancelNumber = parser.value(cancelOption);
    request.database = prepareSet ? parser.value(prepareOption) : parser.value(dbOption);
    request.grantRole = parser.value(grantOption);
    request.journal = parser.value(journalOption);
    request.screenshot = parser.value(screenshotOption);
    request.listDay = listDay;
    request.printFile = printSet ? positional.constFirst() : QString();
    request.findText = parser.value(findOption);
    request.tables = parser.value(tablesOption);
    request.fullscreen = parser.isSet(fullscreenOption);
    if (showSet) {
        request.path = TerminalRequest::Path::Show;
    } else if (screenshotSet) {
        request.path = TerminalRequest::Path::Screenshot;
    } else if (listSet) {
        request.path = TerminalRequest::Path::List;
    } else if (printSet) {
        request.path = TerminalRequest::Path::Print;
    } else if (findSet) {
        request.path = TerminalRequest::Path::Find;
    } else if (tablesSet) {
        request.path = TerminalRequest::Path::Tables;
    } else if (cancelSet) {
        request.path = TerminalRequest::Path::Cancel;
    } else if (prepareSet) {
        request.path = TerminalRequest::Path::Prepare;
    } else if (newSet || editSet) {
        request.path = TerminalRequest::Path::Entry;
    }
    return {request, {}, false, Stored};
}
