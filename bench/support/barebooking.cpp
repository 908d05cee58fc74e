#include "barebooking.h"

#include <QDate>
#include <QSqlError>
#include <QUuid>
#include <QVariant>

namespace Bench {

namespace {

constexpr int firstTable = 1;
constexpr int secondTable = 2;

} // namespace

BareBooking::BareBooking(const QString& file)
    : name_(QStringLiteral("bench-bare-booking")),
      database_(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_)) {
    database_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    database_.setDatabaseName(file);
    QSqlQuery settings(database_);
    ready_ = database_.open() && settings.exec(QStringLiteral("PRAGMA synchronous = EXTRA"));
}

BareBooking::~BareBooking() {
    statements_.clear();
    database_.close();
    database_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

QSqlQuery& BareBooking::statement(const QString& sql) {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        QSqlQuery query(database_);
        query.prepare(sql);
        found = statements_.emplace(sql, std::move(query)).first;
    }
    return found->second;
}

bool BareBooking::run(QSqlQuery& query) {
    if (!query.exec()) {
        qWarning("bare booking: %s", qPrintable(query.lastError().text()));
        return false;
    }
    while (query.next()) {
    }
    return true;
}

bool BareBooking::Book(int day) {
    const QString date = QDate(2026, 2, 1).addDays(day).toString(Qt::ISODate);
    const auto times = [&date](QSqlQuery& query) {
        query.bindValue(QStringLiteral(":DTRESMESA"), date);
        query.bindValue(QStringLiteral(":HRINIRESMESA"), QStringLiteral("1930"));
        query.bindValue(QStringLiteral(":HRFINRESMESA"), QStringLiteral("2130"));
    };
    const QString taken = QStringLiteral(
        "SELECT DISTINCT H.NRMESA FROM MESARESERVADA H WHERE H.DTRESMESA = :DTRESMESA AND "
        "H.HRINIRESMESA < :HRFINRESMESA AND :HRINIRESMESA < H.HRFINRESMESA AND H.NRRESMESA <> "
        ":NRRESMESA");
    QSqlQuery& grid = statement(
        QStringLiteral("SELECT 0, NRMESA, NRLUGARES FROM MESA UNION ALL SELECT 1, NRMESA, 0 FROM "
                       "(%1) TAKEN UNION ALL SELECT 2, NRMESA, 0 FROM MESARESERVADA WHERE "
                       "NRRESMESA = :EDITADA ORDER BY 1, 2")
            .arg(taken));
    times(grid);
    grid.bindValue(QStringLiteral(":NRRESMESA"), 0);
    grid.bindValue(QStringLiteral(":EDITADA"), 0);
    if (!run(grid)) {
        return false;
    }
    QSqlQuery begin(database_);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return false;
    }
    const QString identity = QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlQuery& earlier =
        statement(QStringLiteral("SELECT NRRESMESA FROM RESERVAMESA WHERE IDENTREGA = :IDENTREGA"));
    earlier.bindValue(QStringLiteral(":IDENTREGA"), identity);
    QSqlQuery& tables = statement(QStringLiteral("SELECT NRMESA FROM MESA ORDER BY NRMESA"));
    QSqlQuery& takenNow = statement(taken + QStringLiteral(" ORDER BY H.NRMESA"));
    times(takenNow);
    takenNow.bindValue(QStringLiteral(":NRRESMESA"), 0);
    QSqlQuery& insert = statement(QStringLiteral(
        "INSERT INTO RESERVAMESA (DSRESMESA, CDFILIAL, CDLOJA, DTRESMESA, HRINIRESMESA, "
        "HRFINRESMESA, NMRESMESA, NRTELRESMESA, NRPESRESMESA, IDSTRESMESA, CDOPERINCRES, "
        "DTHRINCLURES, IDENTREGA) VALUES (:DSRESMESA, :CDFILIAL, :CDLOJA, :DTRESMESA, "
        ":HRINIRESMESA, :HRFINRESMESA, :NMRESMESA, :NRTELRESMESA, :NRPESRESMESA, :IDSTRESMESA, "
        ":CDOPERINCRES, :DTHRINCLURES, :IDENTREGA) RETURNING NRRESMESA"));
    times(insert);
    insert.bindValue(QStringLiteral(":DSRESMESA"), QStringLiteral("Aniversario"));
    insert.bindValue(QStringLiteral(":CDFILIAL"), QStringLiteral("0001"));
    insert.bindValue(QStringLiteral(":CDLOJA"), QStringLiteral("12"));
    insert.bindValue(QStringLiteral(":NMRESMESA"), QStringLiteral("Maria Souza"));
    insert.bindValue(QStringLiteral(":NRTELRESMESA"), QStringLiteral("1133334444"));
    insert.bindValue(QStringLiteral(":NRPESRESMESA"), QStringLiteral("4"));
    insert.bindValue(QStringLiteral(":IDSTRESMESA"), QStringLiteral("P"));
    insert.bindValue(QStringLiteral(":CDOPERINCRES"), QStringLiteral("OPER01"));
    insert.bindValue(QStringLiteral(":DTHRINCLURES"), QStringLiteral("2026-01-05"));
    insert.bindValue(QStringLiteral(":IDENTREGA"), identity);
    if (!run(earlier) || !run(tables) || !run(takenNow) || !insert.exec() || !insert.next()) {
        return false;
    }
    const qlonglong number = insert.value(0).toLongLong();
    insert.finish();
    QSqlQuery& release =
        statement(QStringLiteral("DELETE FROM MESARESERVADA WHERE NRRESMESA = :NRRESMESA"));
    release.bindValue(QStringLiteral(":NRRESMESA"), number);
    QSqlQuery& hold = statement(
        QStringLiteral("INSERT INTO MESARESERVADA (NRRESMESA, NRMESA, DTRESMESA, HRINIRESMESA, "
                       "HRFINRESMESA) VALUES (:NRRESMESA, :NRMESA, :DTRESMESA, :HRINIRESMESA, "
                       ":HRFINRESMESA)"));
    if (!run(release)) {
        return false;
    }
    for (const int mesa : {firstTable, secondTable}) {
        times(hold);
        hold.bindValue(QStringLiteral(":NRRESMESA"), number);
        hold.bindValue(QStringLiteral(":NRMESA"), mesa);
        if (!run(hold)) {
            return false;
        }
    }
    for (auto& [sql, query] : statements_) {
        query.finish();
    }
    QSqlQuery commit(database_);
    return commit.exec(QStringLiteral("COMMIT"));
}

} // namespace Bench
