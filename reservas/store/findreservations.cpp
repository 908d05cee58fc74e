#include "databaseconnection.h"
#include "databaseengine.h"
#include "databasethread.h"
#include "reservas/store.h"
#include "reservationcolumns.h"
#include "reservationrows.h"

#include <QStringList>
#include <QVariant>
#include <algorithm>

namespace Reservas {

namespace {

// Fewer digits than this would match nearly every telephone.
constexpr qsizetype leastTelephoneDigits = 3;

// The character that makes the next one plain in a LIKE pattern; not a backslash, which the
// engines read differently inside a literal.
constexpr QChar likeEscape(u'!');

QString digitsOf(const QString& text) {
    QString digits;
    for (const QChar character : text) {
        if (character >= QLatin1Char('0') && character <= QLatin1Char('9')) {
            digits += character;
        }
    }
    return digits;
}

// "%text%", with the wildcards and the escape character of the text itself made plain.
QString containsPattern(const QString& text) {
    QString pattern(QLatin1Char('%'));
    for (const QChar character : text) {
        if (character == QLatin1Char('%') || character == QLatin1Char('_') ||
            character == likeEscape) {
            pattern += likeEscape;
        }
        pattern += character;
    }
    return pattern + QLatin1Char('%');
}

// Both sides in lower case, so that the server's LIKE, which heeds case, finds what SQLite's
// does. The date order: today and later by date and start time, then the rest latest first.
QString searchSql(bool withVersion, const QStringList& listedColumns) {
    QStringList names;
    for (const ReservationColumn& column : ReservationColumns) {
        names << column.SqlName();
    }
    if (withVersion) {
        names << QStringLiteral("NRVERSAO");
    }
    names << listedColumns;
    return QStringLiteral(
               "SELECT %1 FROM RESERVAMESA R WHERE (lower(NMRESMESA) LIKE :NOME ESCAPE '%2' OR "
               "NRTELRESMESA LIKE :TELEFONE) ORDER BY CASE WHEN DTRESMESA >= :HOJE1 THEN 0 ELSE 1 "
               "END, CASE WHEN DTRESMESA >= :HOJE2 THEN DTRESMESA END, CASE WHEN DTRESMESA >= "
               ":HOJE3 THEN HRINIRESMESA END, DTRESMESA DESC, HRINIRESMESA DESC, NRRESMESA LIMIT "
               "%3")
        .arg(names.join(QStringLiteral(", ")), QString(likeEscape),
             QString::number(FoundReservationsLimit));
}

} // namespace

std::vector<DayReservation> FindReservations(const QString& text, const QDate& today) {
    const QString wanted = text.trimmed();
    const QString digits = digitsOf(wanted);
    // A value that is no text at all matches nothing, on either engine.
    const QVariant none(QMetaType::fromType<QString>());
    const QVariant name = wanted.isEmpty() ? none : QVariant(containsPattern(wanted.toLower()));
    const QVariant telephone =
        digits.size() < leastTelephoneDigits ? none : QVariant(containsPattern(digits));
    return OnDatabaseThread([name, telephone, today] {
        const ReservationDatabase database(DatabaseAccess::Read);
        QSqlQuery& select =
            database.Prepare(searchSql(database.HasVersions(), ListedColumns(database)), "BD_LER");
        select.bindValue(QStringLiteral(":NOME"), name);
        select.bindValue(QStringLiteral(":TELEFONE"), telephone);
        for (const char* day : {":HOJE1", ":HOJE2", ":HOJE3"}) {
            select.bindValue(QString::fromLatin1(day), today.toString(Qt::ISODate));
        }
        database.Execute(select, "BD_LER");
        std::vector<DayReservation> found;
        while (select.next()) {
            found.push_back(ReadListedRow(select, database));
        }
        return found;
    });
}

} // namespace Reservas
