#pragma once

#include "commandline.h"

#include <QString>

// The terminal's settings file: reservas-terminal/reservas-terminal.conf in the user's
// configuration folder ($XDG_CONFIG_HOME, ~/.config unless set).
QString SettingsFile();

// Fills in from the INI settings file what the command line left unsaid: the keys db and
// journal name files, fullscreen=true shows the day's reservations full screen. A missing file
// changes nothing.
void ApplySettings(const QString& file, TerminalRequest& request);
