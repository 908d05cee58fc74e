#pragma once

#include <QFile>
#include <QJsonObject>
#include <QString>

// The terminal's journal: one JSON object per line, UTF-8, flushed as each event happens, so
// whoever supports a terminal can follow what the operator saw and what was stored.
class Journal {
public:
    // Opens file for appending; false (with errorText()) when it cannot be written.
    bool open(const QString& file);
    QString errorText() const { return file_.errorString(); }
    // A line that cannot be written is said on standard error, the first time only: the
    // terminal goes on, and the operator's work is never held up by its journal.
    void write(const QJsonObject& event);

    // Hooks the journal to the framework's error display, the message dialog and the hand-off.
    // Only one journal is attached at a time.
    void attach();

private:
    QFile file_;
    bool failureReported_ = false;
};
