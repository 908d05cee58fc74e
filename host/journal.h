#pragma once

#include "framework/ansistring.h"

#include <QFile>
#include <QJsonObject>
#include <QString>

// The terminal's journal: one JSON object per line, UTF-8, flushed as each event happens, so
// whoever supports a terminal can follow what the operator saw and what was stored.
class Journal {
public:
    // Opens file, a regular file, for appending; false when it cannot, errorText() saying why.
    bool open(const QString& file);
    QString errorText() const { return errorText_; }
    // Names the terminal in every line written from now on.
    void setTerminal(const QString& terminal) { terminal_ = terminal; }
    // Writes the event with the moment ("ts", local time to the millisecond) and the terminal. A
    // line that cannot be written is said on standard error, the first time only: the terminal
    // goes on, and the operator's work is never held up by its journal.
    void write(QJsonObject event);
    // The file opened, or empty.
    QString fileName() const { return name_; }

    // Hooks the journal to the framework's error display, the message dialog and the hand-off,
    // opened or not: every error is shown in the touch dialog either way. Only one journal is
    // attached at a time.
    void attach();

private:
    void showError(const AnsiString& message, const AnsiString& detail);

    QFile file_;
    QString name_;
    QString errorText_;
    QString terminal_;
    bool failureReported_ = false;
    bool showingError_ = false;
};
