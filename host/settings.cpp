#include "settings.h"

#include "regularfile.h"
#include "reservas/store.h"
#include "terminaltexts.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>
#include <map>

namespace {

struct FileSettings {
    QString database;
    QString journal;
    bool fullscreen = false;
    QString terminal;
    QString operatorCode;
    bool askOperator = false;
    bool kiosk = false;
    int dinnerFrom = defaultDinnerFrom;
};

const QStringList keys{QStringLiteral("db"),          QStringLiteral("journal"),
                       QStringLiteral("fullscreen"),  QStringLiteral("terminal"),
                       QStringLiteral("operator"),    QStringLiteral("ask_operator"),
                       QStringLiteral("dinner_from"), QStringLiteral("kiosk")};

// A terminal's name still reads whole in a history line.
constexpr qsizetype terminalNameLength = 30;

std::optional<QString> readSwitch(const QString& key, const QString& value, bool& setting) {
    if (value != QLatin1String("true") && value != QLatin1String("false")) {
        return ToQString(TerminalText("CONF_SIM_NAO", key));
    }
    setting = value == QLatin1String("true");
    return std::nullopt;
}

// An hour of the day, 0 to 23, in plain digits.
std::optional<int> hourOf(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,2}$"));
    if (!digits.match(text).hasMatch() || text.toInt() > 23) {
        return std::nullopt;
    }
    return text.toInt();
}

// Reads one line into settings; what is wrong with it otherwise. seen is where each key was
// given so far.
std::optional<QString> readLine(const QString& line, int number, std::map<QString, int>& seen,
                                FileSettings& settings) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')) ||
        trimmed.startsWith(QLatin1Char(';'))) {
        return std::nullopt;
    }
    // Files written by hand after the INI form may start with the section of the keys.
    if (trimmed.startsWith(QLatin1Char('['))) {
        if (trimmed == QLatin1String("[General]")) {
            return std::nullopt;
        }
        return ToQString(TerminalText("CONF_SECAO"));
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return ToQString(TerminalText("CONF_SEM_IGUAL"));
    }
    const QString key = line.left(equals);
    const QString value = line.mid(equals + 1);
    if (!keys.contains(key)) {
        // Not repeated: a line without its key may hold anything, a password among it.
        return ToQString(TerminalText("CONF_CHAVE"));
    }
    if (const auto earlier = seen.find(key); earlier != seen.end()) {
        return ToQString(TerminalText("CONF_REPETIDA", key, QString::number(earlier->second)));
    }
    seen.emplace(key, number);
    if (value.isEmpty()) {
        return ToQString(TerminalText("CONF_VAZIA", key));
    }
    if (key == QLatin1String("fullscreen")) {
        return readSwitch(key, value, settings.fullscreen);
    }
    if (key == QLatin1String("ask_operator")) {
        return readSwitch(key, value, settings.askOperator);
    }
    if (key == QLatin1String("kiosk")) {
        return readSwitch(key, value, settings.kiosk);
    }
    if (key == QLatin1String("terminal")) {
        if (value.trimmed().isEmpty() || value.size() > terminalNameLength) {
            return ToQString(TerminalText("CONF_TERMINAL", QString::number(terminalNameLength)));
        }
        settings.terminal = value.trimmed();
    } else if (key == QLatin1String("operator")) {
        const auto longest = qsizetype(Reservas::ColumnLength("CDOPERINCRES"));
        if (value.size() > longest || value.trimmed() != value) {
            return ToQString(TerminalText("CONF_OPERADOR", QString::number(longest)));
        }
        settings.operatorCode = value;
    } else if (key == QLatin1String("dinner_from")) {
        const std::optional<int> hour = hourOf(value);
        if (!hour) {
            return ToQString(TerminalText("CONF_JANTAR"));
        }
        settings.dinnerFrom = *hour;
    } else if (key == QLatin1String("db")) {
        try {
            Reservas::ParseDatabaseLocation(value);
        } catch (const Sysutils::Exception& error) {
            return ToQString(error.Message());
        }
        settings.database = value;
    } else {
        settings.journal = value;
    }
    return std::nullopt;
}

} // namespace

QString SettingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("reservas-terminal/reservas-terminal.conf"));
}

std::optional<QString> ApplySettings(const QString& file, TerminalRequest& request) {
    QFile opened(file);
    QString reason;
    switch (OpenRegularFile(opened, QIODevice::ReadOnly, FileUse::Settings, reason)) {
    case FileOpening::Missing:
        return std::nullopt;
    case FileOpening::Refused:
        return reason;
    case FileOpening::Failed:
        return ToQString(TerminalText("CONF_LER", file, reason));
    case FileOpening::Opened:
        break;
    }
    FileSettings settings;
    std::map<QString, int> seen;
    int number = 0;
    for (QByteArray bytes : opened.readAll().split('\n')) {
        ++number;
        if (bytes.endsWith('\r')) {
            bytes.chop(1);
        }
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString line = utf8(bytes);
        std::optional<QString> wrong = utf8.hasError() ? ToQString(TerminalText("CONF_UTF8"))
                                                       : readLine(line, number, seen, settings);
        if (wrong) {
            return ToQString(TerminalText("CONF_LINHA", file, QString::number(number), *wrong));
        }
    }
    if (request.database.isEmpty()) {
        request.database = settings.database;
    }
    if (request.journal.isEmpty()) {
        request.journal = settings.journal;
    }
    request.fullscreen = request.fullscreen || settings.fullscreen;
    request.terminalName = settings.terminal;
    request.operatorCode = settings.operatorCode;
    request.askOperator = settings.askOperator;
    request.kiosk = settings.kiosk;
    request.dinnerFrom = settings.dinnerFrom;
    return std::nullopt;
}
