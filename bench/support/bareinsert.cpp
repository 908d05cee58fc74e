#include "bareinsert.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace Bench {

namespace {

const QString columns[] = {
    QStringLiteral("DSRESMESA"),   QStringLiteral("CDFILIAL"),     QStringLiteral("CDLOJA"),
    QStringLiteral("DTRESMESA"),   QStringLiteral("HRINIRESMESA"), QStringLiteral("HRFINRESMESA"),
    QStringLiteral("NMRESMESA"),   QStringLiteral("NRTELRESMESA"), QStringLiteral("NRPESRESMESA"),
    QStringLiteral("IDSTRESMESA"), QStringLiteral("CDOPERINCRES"), QStringLiteral("DTHRINCLURES")};

} // namespace

BareInsert::BareInsert(const QString& file)
    : name_(QStringLiteral("bench-bare-insert")),
      database_(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_)) {
    // The package's options for a file it writes.
    database_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    database_.setDatabaseName(file);
    QStringList definitions{QStringLiteral("NRRESMESA INTEGER PRIMARY KEY")};
    for (const QString& column : columns) {
        definitions << column + QStringLiteral(" TEXT");
    }
    QSqlQuery create(database_);
    ready_ = database_.open() &&
             create.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS RESERVAMESA (%1)")
                             .arg(definitions.join(QStringLiteral(", "))));
    if (!ready_) {
        qWarning("bare insert: %s", qPrintable(create.lastError().text()));
    }
}

BareInsert::~BareInsert() {
    database_.close();
    database_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool BareInsert::Insert(int day) {
    QStringList parameters;
    for (const QString& column : columns) {
        parameters << QLatin1Char(':') + column;
    }
    QSqlQuery insert(database_);
    insert.prepare(
        QStringLiteral("INSERT INTO RESERVAMESA (%1) VALUES (%2)")
            .arg(QStringList(std::begin(columns), std::end(columns)).join(QStringLiteral(", ")),
                 parameters.join(QStringLiteral(", "))));
    const QString values[] = {
        QStringLiteral("Aniversario"), QStringLiteral("0001"),
        QStringLiteral("12"),          QDate(2026, 2, 1).addDays(day).toString(Qt::ISODate),
        QStringLiteral("1930"),        QStringLiteral("2130"),
        QStringLiteral("Maria Souza"), QStringLiteral("1133334444"),
        QStringLiteral("4"),           QStringLiteral("P"),
        QStringLiteral("OPER01"),      QStringLiteral("2026-01-05")};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        insert.bindValue(parameters[static_cast<qsizetype>(i)], values[i]);
    }
    if (!insert.exec()) {
        qWarning("bare insert: %s", qPrintable(insert.lastError().text()));
        return false;
    }
    return true;
}

} // namespace Bench
