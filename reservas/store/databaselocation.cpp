#include "reservas/store.h"

#include "databaseconnection.h"
#include "storetexts.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <atomic>
#include <sys/stat.h>

namespace Reservas {

namespace {

// Set by the program's thread, read by the database thread.
QMutex locationMutex;
QString chosenLocation;

// What the terminal does with a connection setting after the URL's "?".
enum class SettingUse {
    Passed,    // handed to libpq, its value quoted
    InAddress, // written in the address itself, where it is shown and checked
    Secret,    // would carry a secret, or write one out
    Limit,     // would loosen how long the terminal waits for a server, or how it watches one
    Refused,   // a connection the terminal cannot work on
};

struct ConnectionSetting {
    QLatin1StringView name;
    SettingUse use;
    // The only values libpq takes, which a message may show; empty: any text, never shown.
    QStringList words;
    // The value is a comma-separated list of the words, each of them maybe preceded by '!'.
    bool list = false;
};

const QStringList onOff{QStringLiteral("0"), QStringLiteral("1")};
const QStringList offPreferRequire{QStringLiteral("disable"), QStringLiteral("prefer"),
                                   QStringLiteral("require")};
const QStringList tlsVersions{QStringLiteral("TLSv1"), QStringLiteral("TLSv1.1"),
                              QStringLiteral("TLSv1.2"), QStringLiteral("TLSv1.3")};
const QStringList protocolVersions{QStringLiteral("3.0"), QStringLiteral("3.2"),
                                   QStringLiteral("latest")};

// Every connection keyword the PostgreSQL client library documents.
const ConnectionSetting connectionSettings[] = {
    {QLatin1StringView("host"), SettingUse::InAddress, {}},
    {QLatin1StringView("hostaddr"), SettingUse::Passed, {}},
    {QLatin1StringView("port"), SettingUse::InAddress, {}},
    {QLatin1StringView("dbname"), SettingUse::InAddress, {}},
    {QLatin1StringView("user"), SettingUse::InAddress, {}},
    {QLatin1StringView("password"), SettingUse::Secret, {}},
    {QLatin1StringView("passfile"), SettingUse::Passed, {}},
    {QLatin1StringView("require_auth"),
     SettingUse::Passed,
     {QStringLiteral("password"), QStringLiteral("md5"), QStringLiteral("gss"),
      QStringLiteral("sspi"), QStringLiteral("scram-sha-256"), QStringLiteral("oauth"),
      QStringLiteral("none")},
     true},
    {QLatin1StringView("channel_binding"), SettingUse::Passed, offPreferRequire},
    {QLatin1StringView("connect_timeout"), SettingUse::Limit, {}},
    {QLatin1StringView("client_encoding"), SettingUse::Passed, {}},
    // Server settings such as statement_timeout and lock_timeout travel in it.
    {QLatin1StringView("options"), SettingUse::Limit, {}},
    {QLatin1StringView("application_name"), SettingUse::Passed, {}},
    {QLatin1StringView("fallback_application_name"), SettingUse::Passed, {}},
    {QLatin1StringView("keepalives"), SettingUse::Limit, {}},
    {QLatin1StringView("keepalives_idle"), SettingUse::Limit, {}},
    {QLatin1StringView("keepalives_interval"), SettingUse::Limit, {}},
    {QLatin1StringView("keepalives_count"), SettingUse::Limit, {}},
    {QLatin1StringView("tcp_user_timeout"), SettingUse::Limit, {}},
    {QLatin1StringView("replication"), SettingUse::Refused, {}},
    {QLatin1StringView("gssencmode"), SettingUse::Passed, offPreferRequire},
    {QLatin1StringView("sslmode"),
     SettingUse::Passed,
     {QStringLiteral("disable"), QStringLiteral("allow"), QStringLiteral("prefer"),
      QStringLiteral("require"), QStringLiteral("verify-ca"), QStringLiteral("verify-full")}},
    {QLatin1StringView("sslnegotiation"),
     SettingUse::Passed,
     {QStringLiteral("postgres"), QStringLiteral("direct")}},
    {QLatin1StringView("sslcompression"), SettingUse::Passed, onOff},
    {QLatin1StringView("sslcert"), SettingUse::Passed, {}},
    {QLatin1StringView("sslkey"), SettingUse::Passed, {}},
    // It writes the connection's encryption keys to a file.
    {QLatin1StringView("sslkeylogfile"), SettingUse::Secret, {}},
    {QLatin1StringView("sslpassword"), SettingUse::Secret, {}},
    {QLatin1StringView("sslcertmode"),
     SettingUse::Passed,
     {QStringLiteral("disable"), QStringLiteral("allow"), QStringLiteral("require")}},
    {QLatin1StringView("sslrootcert"), SettingUse::Passed, {}},
    {QLatin1StringView("sslcrl"), SettingUse::Passed, {}},
    {QLatin1StringView("sslcrldir"), SettingUse::Passed, {}},
    {QLatin1StringView("sslsni"), SettingUse::Passed, onOff},
    {QLatin1StringView("requirepeer"), SettingUse::Passed, {}},
    {QLatin1StringView("ssl_min_protocol_version"), SettingUse::Passed, tlsVersions},
    {QLatin1StringView("ssl_max_protocol_version"), SettingUse::Passed, tlsVersions},
    {QLatin1StringView("min_protocol_version"), SettingUse::Passed, protocolVersions},
    {QLatin1StringView("max_protocol_version"), SettingUse::Passed, protocolVersions},
    {QLatin1StringView("krbsrvname"), SettingUse::Passed, {}},
    {QLatin1StringView("gsslib"),
     SettingUse::Passed,
     {QStringLiteral("gssapi"), QStringLiteral("sspi")}},
    {QLatin1StringView("gssdelegation"), SettingUse::Passed, onOff},
    {QLatin1StringView("scram_client_key"), SettingUse::Secret, {}},
    {QLatin1StringView("scram_server_key"), SettingUse::Secret, {}},
    // A service entry may bring options, and with them server settings, from a file.
    {QLatin1StringView("service"), SettingUse::Limit, {}},
    {QLatin1StringView("target_session_attrs"),
     SettingUse::Passed,
     {QStringLiteral("any"), QStringLiteral("read-write"), QStringLiteral("read-only"),
      QStringLiteral("primary"), QStringLiteral("standby"), QStringLiteral("prefer-standby")}},
    {QLatin1StringView("load_balance_hosts"),
     SettingUse::Passed,
     {QStringLiteral("disable"), QStringLiteral("random")}},
    {QLatin1StringView("oauth_issuer"), SettingUse::Passed, {}},
    {QLatin1StringView("oauth_client_id"), SettingUse::Passed, {}},
    {QLatin1StringView("oauth_client_secret"), SettingUse::Secret, {}},
    {QLatin1StringView("oauth_scope"), SettingUse::Passed, {}},
};

const ConnectionSetting* settingNamed(const QString& name) {
    for (const ConnectionSetting& setting : connectionSettings) {
        if (name.compare(setting.name, Qt::CaseInsensitive) == 0) {
            return &setting;
        }
    }
    return nullptr;
}

// Whether value is one that libpq takes for setting, and so safe to show.
bool isKnownWord(const ConnectionSetting& setting, const QString& value) {
    if (setting.words.isEmpty()) {
        return false;
    }
    if (!setting.list) {
        return setting.words.contains(value);
    }
    const QStringList items = value.split(QLatin1Char(','));
    return std::all_of(items.begin(), items.end(), [&setting](QString item) {
        if (item.startsWith(QLatin1Char('!'))) {
            item.remove(0, 1);
        }
        return setting.words.contains(item);
    });
}

bool looksLikeAName(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
               (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
    });
}

bool hasControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Checks one setting of the URL's query and returns it under libpq's own name. A message names
// the setting, never its value, which may be a secret typed in the wrong place.
std::pair<QString, QString> checkedSetting(qsizetype position, const QString& key,
                                           const QString& value) {
    const ConnectionSetting* setting = settingNamed(key);
    if (setting == nullptr) {
        if (!looksLikeAName(key)) {
            Raise("URL_OPCAO_MAL_ESCRITA", QString::number(position));
        }
        Raise("URL_OPCAO_DESCONHECIDA", key);
    }
    const QString name = setting->name;
    switch (setting->use) {
    case SettingUse::Passed:
        break;
    case SettingUse::InAddress:
        Raise("URL_OPCAO_NO_ENDERECO", name);
    case SettingUse::Secret:
        if (name == QLatin1String("password")) {
            Raise("URL_COM_SENHA");
        }
        Raise("URL_OPCAO_SECRETA", name);
    case SettingUse::Limit:
        Raise("URL_OPCAO_LIMITE", name);
    case SettingUse::Refused:
        Raise("URL_OPCAO_RECUSADA", name);
    }
    // libpq would repeat a wrong word in its complaint, and a control character cannot travel.
    if ((!setting->words.isEmpty() && !isKnownWord(*setting, value)) ||
        hasControlCharacter(value)) {
        Raise("URL_OPCAO_VALOR", name);
    }
    return {name, value};
}

bool isPostgresUrl(const QString& text) {
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

const QString hiddenValue = QStringLiteral("...");

qsizetype firstOf(const QString& text, QStringView characters) {
    for (qsizetype index = 0; index < text.size(); ++index) {
        if (characters.contains(text[index])) {
            return index;
        }
    }
    return -1;
}

bool allDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// A URL that could not be read, as a message may quote it: however it was mistyped, no password
// and no query value (which may hold one) shows. Of what comes before the last '@', only the
// user name is kept; without an '@', a port that is no number may be a password whose host was
// left out.
QString redactedUrl(const QString& text) {
    const qsizetype afterScheme = text.indexOf(QLatin1String("://")) + 3;
    QString shown = text.left(afterScheme);
    QString rest = text.mid(afterScheme);
    const qsizetype at = rest.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString userInfo = rest.left(at);
        const qsizetype userEnd = firstOf(userInfo, u":/?#");
        shown += userInfo.left(userEnd) + QLatin1Char('@');
        // That '@' may be inside the query: nothing after it is known to be safe.
        if (firstOf(userInfo, u"?#") >= 0) {
            return shown + hiddenValue;
        }
        rest = rest.mid(at + 1);
    }
    const qsizetype queryStart = firstOf(rest, u"?#");
    if (queryStart >= 0) {
        rest = rest.left(queryStart) + QLatin1Char('?') + hiddenValue;
    }
    if (at < 0) {
        const qsizetype authorityEnd = firstOf(rest, u"/?");
        const QString authority = rest.left(authorityEnd);
        const qsizetype colon = authority.lastIndexOf(QLatin1Char(':'));
        if (colon > authority.lastIndexOf(QLatin1Char(']')) &&
            !allDigits(QStringView(authority).mid(colon + 1))) {
            rest.replace(colon + 1, authority.size() - colon - 1, hiddenValue);
        }
    }
    return shown + rest;
}

// SQLite would wait forever to open a FIFO, and a folder, a device or a socket is no
// database: only a regular file, or a path where one is still to be made, will do.
void refuseAllButRegularFiles(const QString& file) {
    struct stat status {};
    if (::stat(QFile::encodeName(file).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        Raise("BD_NAO_E_ARQUIVO", file);
    }
}

} // namespace

namespace {

// How many times the location was set: a connection kept from before is opened anew.
std::atomic<int> locationSettings = 0;

} // namespace

void SetDatabaseLocation(const QString& location) {
    const QMutexLocker lock(&locationMutex);
    chosenLocation = location;
    ++locationSettings;
}

int DatabaseLocationSetting() {
    return locationSettings.load();
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
        const ConnectionSetting* setting = settingNamed(key);
        const bool harmless = setting != nullptr && isKnownWord(*setting, value);
        query.addQueryItem(key, harmless ? value : hiddenValue);
    }
    url.setQuery(query);
    return url.toString();
}

DatabaseLocation ParseDatabaseLocation(const QString& text) {
    DatabaseLocation location;
    if (!isPostgresUrl(text)) {
        refuseAllButRegularFiles(text);
        location.File = text;
        return location;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.hasFragment()) {
        Raise("URL_INVALIDA", redactedUrl(text));
    }
    if (!url.password().isEmpty()) {
        Raise("URL_COM_SENHA");
    }
    location.Engine = DatabaseEngine::PostgreSQL;
    location.Host = url.host();
    location.Port = url.port();
    location.User = url.userName();
    location.Name = url.path().mid(1);
    if (location.Name.isEmpty() || location.Name.contains(QLatin1Char('/'))) {
        Raise("URL_SEM_BANCO", redactedUrl(text));
    }
    qsizetype position = 0;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        location.Settings.push_back(checkedSetting(++position, key, value));
    }
    return location;
}

} // namespace Reservas
