#include "host/commandline.h"

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

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Restaurant terminal: enters and edits table reservations."));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and exit."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Show the version and exit."));
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
    parser.addOptions({helpOption, versionOption, newOption, editOption, dbOption, journalOption,
                       screenshotOption, showOption});

    if (!parser.parse(arguments)) {
        return refused(parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        return {std::nullopt, parser.helpText(), false, Stored};
    }
    if (parser.isSet(versionOption)) {
        return {std::nullopt, QStringLiteral("reservas-terminal " RESERVAS_VERSION "\n"), false,
                Stored};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return refused(QStringLiteral("Unexpected argument '%1'.")
                           .arg(parser.positionalArguments().constFirst()));
    }
    const bool newSet = parser.isSet(newOption);
    const bool editSet = parser.isSet(editOption);
    const bool showSet = parser.isSet(showOption);
    const bool screenshotSet = parser.isSet(screenshotOption);
    if ((newSet && editSet) || (showSet && (newSet || editSet || screenshotSet)) ||
        (screenshotSet && editSet)) {
        return refused(QStringLiteral("--new, --edit and --show exclude each other, and "
                                      "--screenshot shows a new reservation."));
    }
    for (const QCommandLineOption* numbered : {&editOption, &showOption}) {
        const QString value = parser.value(*numbered);
        if (parser.isSet(*numbered) && !isReservationNumber(value)) {
            return refused(QStringLiteral("Bad value '%1' for --%2: a reservation number is a "
                                          "positive whole number.")
                               .arg(value, numbered->names().constFirst()));
        }
    }

    TerminalRequest request;
    request.editNumber = parser.value(editOption);
    request.showNumber = parser.value(showOption);
    request.database = parser.value(dbOption);
    request.journal = parser.value(journalOption);
    request.screenshot = parser.value(screenshotOption);
    if (showSet) {
        request.path = TerminalRequest::Path::Show;
    } else if (screenshotSet) {
        request.path = TerminalRequest::Path::Screenshot;
    }
    return {request, {}, false, Stored};
}
