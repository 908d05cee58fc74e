#pragma once

#include <QString>
#include <QStringList>
#include <optional>

enum ExitCode { Stored = 0, NotStored = 1, BadRequest = 2, NoModule = 3 };

// What the terminal was asked to do.
struct TerminalRequest {
    enum class Path { Entry, Screenshot, Show };
    Path path = Path::Entry;
    QString editNumber; // empty for a new reservation
    QString showNumber;
    QString database;
    QString journal;
    QString screenshot;
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
