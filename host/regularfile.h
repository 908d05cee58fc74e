#pragma once

#include <QFile>
#include <QString>

// The files the terminal opens itself must be regular files: opening a FIFO waits for its other
// end without a limit, and a folder, a device or a socket is no place for settings, a journal, a
// picture or a printout.
enum class FileUse { Settings, Journal, Screenshot, Printout };
enum class FileOpening { Opened, Missing, Refused, Failed };

// Opens file (its name set) in mode without ever waiting. Anything but a regular file (a
// symbolic link counts as what it points to) is Refused, reason saying so in Portuguese with
// what the file is for and its path. Opened for writing, a missing file is created, and without
// Append emptied; opened for reading, it is Missing. Failed: reason is the system's. Opened
// from a descriptor, file no longer knows its name.
FileOpening OpenRegularFile(QFile& file, QIODevice::OpenMode mode, FileUse use, QString& reason);
