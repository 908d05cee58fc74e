#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

enum ExitCode { Stored = 0, NotStored = 1, BadRequest = 2, NoModule = 3, Done = Stored };

// The hour dinner starts at in the day's covers unless the settings say otherwise.
constexpr int defaultDinnerFrom = 16;

// What the terminal was asked to do.
struct TerminalRequest {
    // Day: the day's reservations on screen; Entry: the entry screen; the others print or change
    // something without a screen.
    enum class Path { Day, Entry, Screenshot, Show, List, Find, Tables, Cancel, Prepare, Print };
    Path path = Path::Day;
    QString editNumber; // empty for a new reservation
    QString showNumber;
    QString cancelNumber;
    QDate listDay;     // with List and Print
    QString printFile; // the PDF Print writes
    QString findText;
    QString tables;
    QString grantRole; // with Prepare: the terminals' role on a server, or empty
    QString database;
    QString journal;
    QString screenshot;
    bool fullscreen = false;
    // Who works at this terminal (settings file only): its name, the operator's code, and
    // whether to ask the code when the day's reservations open.
    QString terminalName;
    QString operatorCode;
    bool askOperator = false;
    bool kiosk = false;                 // settings only: no Sair
    int dinnerFrom = defaultDinnerFrom; // settings only
};

// The command line, read before any GUI exists: either a request, or what to print and the exit
// code (help, version, or the parser's complaint).
struct ParsedCommandLine {
    std::optional<TerminalRequest> request;
    QString text;
    bool textIsError = false;
    int exitCode = 0;
};

ParsedCommandLine ParseCommandLine(const QStringList& arguments);
