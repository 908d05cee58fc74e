#include "settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

QString SettingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("reservas-terminal/reservas-terminal.conf"));
}

void ApplySettings(const QString& file, TerminalRequest& request) {
    const QSettings settings(file, QSettings::IniFormat);
    if (request.database.isEmpty()) {
        request.database = settings.value(QStringLiteral("db")).toString();
    }
    if (request.journal.isEmpty()) {
        request.journal = settings.value(QStringLiteral("journal")).toString();
    }
    if (!request.fullscreen) {
        request.fullscreen = settings.value(QStringLiteral("fullscreen")).toBool();
    }
}
