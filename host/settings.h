#pragma once

#include "commandline.h"

#include <QString>
#include <optional>

// The terminal's settings file: reservas-terminal/reservas-terminal.conf in the user's
// configuration folder ($XDG_CONFIG_HOME, ~/.config unless set).
QString SettingsFile();

// Fills in from the settings file what the command line left unsaid: db names the database,
// journal the journal file, fullscreen=true shows the day's reservations full screen, terminal
// names the terminal (the machine's name unless set) and operator the operator's code (up to 12
// characters) in every change it stores, ask_operator=true asks that code on a keypad when the
// day's reservations open, and dinner_from is the hour (0-23) from which a reservation counts
// as dinner in the covers. Each line is key=value, the value all the text after the first "="
// as written (commas, blanks and quotes are part of it); blank lines, lines that start with "#"
// or ";" and a [General] header are passed over. A missing file changes nothing. Anything else
// the terminal cannot use (an unknown key or section, a key given twice or without a value,
// fullscreen or ask_operator other than true or false, a name or code too long, dinner_from
// other than a whole hour, a database it cannot read, a file that is no regular file) leaves
// the request as it was and is returned, naming the file and the line.
std::optional<QString> ApplySettings(const QString& file, TerminalRequest& request);
