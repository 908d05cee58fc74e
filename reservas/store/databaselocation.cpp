#include "reservas/store.h"

#include "storetexts.h"

#include <QDir>
#include <QMutex>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace Reservas {

namespace {

// Set by the program's thread, read by the database thread.
QMutex locationMutex;
QString chosenLocation;

bool isPostgresUrl(const QString& text) {
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

} // namespace

void SetDatabaseLocation(const QString& location) {
    const QMutexLocker lock(&locationMutex);
    chosenLocation = location;
}

QString DatabaseLocationText() {
    const QMutexLocker lock(&locationMutex);
    if (!chosenLocation.isEmpty()) {
        return chosenLocation;
    }
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("reservas.db"));
}

QString DatabaseLocation::Shown() const {
    if (Engine == DatabaseEngine::SQLite) {
        return File;
    }
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(User);
    url.setHost(Host);
    url.setPort(Port);
    url.setPath(QLatin1Char('/') + Name);
    QUrlQuery query;
    for (const auto& [key, value] : Settings) {
        query.addQueryItem(key, value);
    }
    url.setQuery(query);
    return url.toString();
}

DatabaseLocation ParseDatabaseLocation(const QString& text) {
    DatabaseLocation location;
    if (!isPostgresUrl(text)) {
        location.File = text;
        return location;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        Raise("URL_INVALIDA", text);
    }
    // Said without repeating the text: it holds the password.
    if (!url.password().isEmpty()) {
        Raise("URL_COM_SENHA");
    }
    location.Engine = DatabaseEngine::PostgreSQL;
    location.Host = url.host();
    location.Port = url.port();
    location.User = url.userName();
    location.Name = url.path().mid(1);
    if (location.Name.isEmpty() || location.Name.contains(QLatin1Char('/'))) {
        Raise("URL_SEM_BANCO", text);
    }
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("password")) {
            Raise("URL_COM_SENHA");
        }
        location.Settings.emplace_back(key, value);
    }
    return location;
}

} // namespace Reservas
