#include "reservationcolumns.h"

#include "databaseengine.h"

#include <QStringList>

namespace Reservas {

namespace {

QStringList columnNames(bool (*wanted)(const ReservationColumn&)) {
    QStringList names;
    for (const ReservationColumn& column : ReservationColumns) {
        if (wanted(column)) {
            names << column.SqlName();
        }
    }
    return names;
}

bool anyColumn(const ReservationColumn&) {
    return true;
}
QString selectedNames(bool withVersion) {
    QStringList names = columnNames(anyColumn);
    if (withVersion) {
        names << QStringLiteral("NRVERSAO");
    }
    return names.join(QStringLiteral(", "));
}

QString parameter(const QString& name) {
    return QLatin1Char(':') + name;
}

} // namespace

std::size_t ColumnLength(std::string_view name) {
    for (const ReservationColumn& column : ReservationColumns) {
        if (column.Name == name && column.Text != nullptr) {
            return column.Size;
        }
    }
    return 0;
}

bool StoredByInsert(const ReservationColumn& column) {
    return column.Role != ColumnRole::Key;
}

bool StoredByUpdate(const ReservationColumn& column) {
    return column.Role == ColumnRole::Entered;
}

QString CreateTableSql(DatabaseEngine engine) {
    QStringList definitions;
    for (const ReservationColumn& column : ReservationColumns) {
        definitions << column.SqlName() + (column.Role == ColumnRole::Key
                                               ? QLatin1Char(' ') + ReservationKeyType(engine)
                                               : QStringLiteral(" TEXT"));
    }
    return QStringLiteral("CREATE TABLE IF NOT EXISTS RESERVAMESA (%1)")
        .arg(definitions.join(QStringLiteral(", ")));
}

namespace {

QStringList whoNames() {
    QStringList names;
    for (const std::string_view name : WhoColumns) {
        names << QString::fromLatin1(name.data(), qsizetype(name.size()));
    }
    return names;
}

constexpr auto momentFormat = "yyyy-MM-dd HH:mm:ss";

} // namespace

QString InsertSql() {
    const QStringList names = columnNames(StoredByInsert) + whoNames();
    QStringList parameters;
    for (const QString& name : names) {
        parameters << parameter(name);
    }
    // The number the database gave comes back as the statement's one row, on both engines.
    return QStringLiteral("INSERT INTO RESERVAMESA (%1, IDENTREGA) VALUES (%2, :IDENTREGA) "
                          "RETURNING NRRESMESA")
        .arg(names.join(QStringLiteral(", ")), parameters.join(QStringLiteral(", ")));
}

QString UpdateSql(bool checkVersion) {
    QStringList assignments;
    for (const QString& name : columnNames(StoredByUpdate) + whoNames()) {
        assignments << name + QStringLiteral(" = ") + parameter(name);
    }
    return QStringLiteral("UPDATE RESERVAMESA SET %1, IDENTREGA = :IDENTREGA WHERE NRRESMESA = "
                          ":NRRESMESA AND COALESCE(IDSTRESMESA, '') <> 'C'%2")
        .arg(assignments.join(QStringLiteral(", ")),
             checkVersion ? QStringLiteral(" AND NRVERSAO = :NRVERSAO") : QString());
}

QString SelectSql(bool withVersion) {
    return QStringLiteral("SELECT %1 FROM RESERVAMESA WHERE NRRESMESA = :NRRESMESA")
        .arg(selectedNames(withVersion));
}

QString DaySelectSql(bool withVersion, const QStringList& extraColumns) {
    const QString names = QStringList(QStringList{selectedNames(withVersion)} + extraColumns)
                              .join(QStringLiteral(", "));
    return QStringLiteral("SELECT %1 FROM RESERVAMESA R WHERE DTRESMESA = :DTRESMESA ORDER BY "
                          "HRINIRESMESA, NRRESMESA")
        .arg(names);
}

QString ColumnValue(const StoredReservation& reservation, const ReservationColumn& column) {
    if (column.Text != nullptr) {
        return ToQString(reservation.*column.Text);
    }
    if (column.Date != nullptr) {
        return (reservation.*column.Date).toString(Qt::ISODate);
    }
    return (reservation.*column.Moment).toString(QLatin1String(momentFormat));
}

QDateTime MomentOf(const QString& value) {
    const QDateTime moment = QDateTime::fromString(value, QLatin1String(momentFormat));
    return moment.isValid() ? moment
                            : QDateTime(QDate::fromString(value, Qt::ISODate), QTime(0, 0));
}

void SetColumnValue(StoredReservation& reservation, const ReservationColumn& column,
                    const QString& value) {
    if (column.Text != nullptr) {
        reservation.*column.Text = FromQString(value);
    } else if (column.Date != nullptr) {
        reservation.*column.Date = QDate::fromString(value, Qt::ISODate);
    } else {
        reservation.*column.Moment = MomentOf(value);
    }
}

} // namespace Reservas
