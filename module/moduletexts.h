#pragma once

#include "framework/ansistring.h"

#include <QByteArray>
#include <QString>

// The bytes of one of the module's resources (empty when it is missing).
QByteArray ReadResource(const QString& path);

// The module's own texts beyond the message catalogue (errors about its collaborators).
AnsiString ModuleText(const AnsiString& key);
