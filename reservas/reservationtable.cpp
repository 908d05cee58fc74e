#include "reservas/reservationtable.h"

#include "reservas/reservationdatabase.h"

#include <QVariant>

namespace Reservas {

namespace {

QString column(const AnsiString& text) {
    return ToQString(text);
}
QString column(const QDate& date) {
    return date.toString(Qt::ISODate);
}

AnsiString textOf(const QSqlQuery& query, const char* name) {
    return FromQString(query.value(QString::fromLatin1(name)).toString());
}
QDate dateOf(const QSqlQuery& query, const char* name) {
    return QDate::fromString(query.value(QString::fromLatin1(name)).toString(), Qt::ISODate);
}

// Numbers are positive integers, kept as text in the dataset.
std::optional<qlonglong> numberOf(const AnsiString& nrresmesa) {
    bool valid = false;
    const qlonglong number = ToQString(nrresmesa).trimmed().toLongLong(&valid);
    if (!valid || number <= 0) {
        return std::nullopt;
    }
    return number;
}

void bindEntered(QSqlQuery& query, const StoredReservation& reservation) {
    query.bindValue(QStringLiteral(":DTRESMESA"), column(reservation.DTRESMESA));
    query.bindValue(QStringLiteral(":HRINIRESMESA"), column(reservation.HRINIRESMESA));
    query.bindValue(QStringLiteral(":HRFINRESMESA"), column(reservation.HRFINRESMESA));
    query.bindValue(QStringLiteral(":NRTELRESMESA"), column(reservation.NRTELRESMESA));
    query.bindValue(QStringLiteral(":NRPESRESMESA"), column(reservation.NRPESRESMESA));
    query.bindValue(QStringLiteral(":NMRESMESA"), column(reservation.NMRESMESA));
    query.bindValue(QStringLiteral(":DSRESMESA"), column(reservation.DSRESMESA));
}

} // namespace

AnsiString InsertReservation(const StoredReservation& reservation) {
    const ReservationDatabase database(DatabaseAccess::Write);
    QSqlQuery insert = database.Prepare(
        QStringLiteral(
            "INSERT INTO RESERVAMESA (DSRESMESA, CDFILIAL, CDLOJA, DTRESMESA, HRINIRESMESA, "
            "HRFINRESMESA, NMRESMESA, NRTELRESMESA, NRPESRESMESA, IDSTRESMESA, CDOPERINCRES, "
            "DTHRINCLURES) VALUES (:DSRESMESA, :CDFILIAL, :CDLOJA, :DTRESMESA, :HRINIRESMESA, "
            ":HRFINRESMESA, :NMRESMESA, :NRTELRESMESA, :NRPESRESMESA, :IDSTRESMESA, "
            ":CDOPERINCRES, :DTHRINCLURES)"),
        "BD_GRAVAR");
    bindEntered(insert, reservation);
    insert.bindValue(QStringLiteral(":CDFILIAL"), column(reservation.CDFILIAL));
    insert.bindValue(QStringLiteral(":CDLOJA"), column(reservation.CDLOJA));
    insert.bindValue(QStringLiteral(":IDSTRESMESA"), column(reservation.IDSTRESMESA));
    insert.bindValue(QStringLiteral(":CDOPERINCRES"), column(reservation.CDOPERINCRES));
    insert.bindValue(QStringLiteral(":DTHRINCLURES"), column(reservation.DTHRINCLURES));
    database.Execute(insert, "BD_GRAVAR");
    return FromQString(insert.lastInsertId().toString());
}

bool UpdateReservation(const StoredReservation& reservation) {
    const std::optional<qlonglong> number = numberOf(reservation.NRRESMESA);
    if (!number) {
        return false;
    }
    const ReservationDatabase database(DatabaseAccess::Write);
    QSqlQuery update = database.Prepare(
        QStringLiteral("UPDATE RESERVAMESA SET DTRESMESA = :DTRESMESA, "
                       "HRINIRESMESA = :HRINIRESMESA, HRFINRESMESA = :HRFINRESMESA, "
                       "NRTELRESMESA = :NRTELRESMESA, NRPESRESMESA = :NRPESRESMESA, "
                       "NMRESMESA = :NMRESMESA, DSRESMESA = :DSRESMESA "
                       "WHERE NRRESMESA = :NRRESMESA"),
        "BD_GRAVAR");
    bindEntered(update, reservation);
    update.bindValue(QStringLiteral(":NRRESMESA"), *number);
    database.Execute(update, "BD_GRAVAR");
    return update.numRowsAffected() > 0;
}

std::optional<StoredReservation> FindReservation(const AnsiString& nrresmesa) {
    const std::optional<qlonglong> number = numberOf(nrresmesa);
    if (!number) {
        return std::nullopt;
    }
    const ReservationDatabase database(DatabaseAccess::Read);
    QSqlQuery select = database.Prepare(
        QStringLiteral("SELECT * FROM RESERVAMESA WHERE NRRESMESA = :NRRESMESA"), "BD_LER");
    select.bindValue(QStringLiteral(":NRRESMESA"), *number);
    database.Execute(select, "BD_LER");
    if (!select.next()) {
        return std::nullopt;
    }
    StoredReservation reservation;
    reservation.DSRESMESA = textOf(select, "DSRESMESA");
    reservation.NRRESMESA = textOf(select, "NRRESMESA");
    reservation.CDFILIAL = textOf(select, "CDFILIAL");
    reservation.CDLOJA = textOf(select, "CDLOJA");
    reservation.DTRESMESA = dateOf(select, "DTRESMESA");
    reservation.HRINIRESMESA = textOf(select, "HRINIRESMESA");
    reservation.HRFINRESMESA = textOf(select, "HRFINRESMESA");
    reservation.NMRESMESA = textOf(select, "NMRESMESA");
    reservation.NRTELRESMESA = textOf(select, "NRTELRESMESA");
    reservation.NRPESRESMESA = textOf(select, "NRPESRESMESA");
    reservation.IDSTRESMESA = textOf(select, "IDSTRESMESA");
    reservation.CDOPERINCRES = textOf(select, "CDOPERINCRES");
    reservation.DTHRINCLURES = dateOf(select, "DTHRINCLURES");
    return reservation;
}

} // namespace Reservas
