#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

enum ExitCode { Stored = 0, NotStored = 1, BadRequest = 2, NoModule = 3, Done = Stored };

// What the terminal was asked to do.
struct TerminalRequest {
    // Day: the day's reservations on screen; Entry: the entry screen; the others print or change
    // something without a screen.
    enum class Path { Day, Entry, Screenshot, Show, List, Find, Tables, Cancel, Prepare };
    Path path = Path::Day;
    QString editNumber; // empty for a new reservation
    QString showNumber;
    QString cancelNumber;
    QDate listDay;
    QString findText;
    QString tables;
    QString grantRole; // with Prepare: the terminals' role on a server, or empty
    QString database;
    QString journal;
    QString screenshot;
    bool fullscreen = false;
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
