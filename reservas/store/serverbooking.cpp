#include "serverbooking.h"

#include "databaseconnection.h"
#include "databaseengine.h"
#include "reservationcolumns.h"
#include "workstation.h"

#include <QVariant>

namespace Reservas {

namespace {

constexpr auto functionName = "RESERVAS_GRAVAR";

QString parameterName(const ReservationColumn& column) {
    return QStringLiteral("P_") + column.SqlName();
}

QStringList insertedColumns() {
    QStringList names;
    for (const ReservationColumn& column : ReservationColumns) {
        if (StoredByInsert(column)) {
            names << column.SqlName();
        }
    }
    return names;
}

// The overlap test of a holding H against the reservation's parameters, as TablesTakenAt has it.
constexpr auto overlapsBooking = "H.DTRESMESA = P_DTRESMESA AND H.HRINIRESMESA < P_HRFINRESMESA "
                                 "AND P_HRINIRESMESA < H.HRFINRESMESA";

// The tables the reservation V_NUMERO holds, ascending, between commas.
constexpr auto heldList = "(SELECT string_agg(H.NRMESA::text, ',' ORDER BY H.NRMESA) FROM "
                          "MESARESERVADA H WHERE H.NRRESMESA = V_NUMERO)";

QStringList whoColumns() {
    QStringList names;
    for (const std::string_view name : WhoColumns) {
        names << QString::fromLatin1(name.data(), qsizetype(name.size()));
    }
    return names;
}

std::vector<int> numbers(const QString& list) {
    std::vector<int> mesas;
    for (const QString& number : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        mesas.push_back(number.toInt());
    }
    return mesas;
}

QString arrayText(const std::vector<int>& mesas) {
    QStringList numbers;
    for (const int mesa : mesas) {
        numbers << QString::number(mesa);
    }
    return QLatin1Char('{') + numbers.join(QLatin1Char(',')) + QLatin1Char('}');
}

} // namespace

QStringList ServerBookingSql() {
    QStringList parameters{QStringLiteral("P_ENTREGA text"), QStringLiteral("P_NUMERO bigint"),
                           QStringLiteral("P_VERSAO bigint"), QStringLiteral("P_MESAS integer[]")};
    QStringList values;
    QStringList assignments;
    for (const ReservationColumn& column : ReservationColumns) {
        if (!StoredByInsert(column)) {
            continue;
        }
        parameters << parameterName(column) + QStringLiteral(" text");
        values << parameterName(column);
        if (StoredByUpdate(column)) {
            assignments << column.SqlName() + QStringLiteral(" = ") + parameterName(column);
        }
    }
    // Who books, as the terminal binds it; the history copies it from the row.
    for (const QString& column : whoColumns()) {
        parameters << QStringLiteral("P_") + column + QStringLiteral(" text");
        values << QStringLiteral("P_") + column;
        assignments << column + QStringLiteral(" = P_") + column;
    }
    // The same checks, in the same order, as the statements a SQLite file runs one by one; the
    // tables are held in ascending order, so that two bookings never wait on each other in a
    // circle, and a shared lock lets a change of the restaurant's tables have the database to
    // itself.
    const QString body =
        QStringLiteral(
            "DECLARE V_NUMERO bigint; V_PERDIDAS integer[]; "
            "BEGIN "
            "PERFORM pg_advisory_xact_lock_shared(%6); "
            "IF P_ENTREGA IS NOT NULL THEN "
            "SELECT R.NRRESMESA INTO V_NUMERO FROM RESERVAMESA R WHERE R.IDENTREGA = P_ENTREGA; "
            "IF FOUND THEN RETURN QUERY SELECT 'antes'::text, V_NUMERO, %1; RETURN; END IF; "
            "END IF; "
            "IF P_MESAS IS NOT NULL THEN "
            "SELECT array_agg(M ORDER BY M) INTO V_PERDIDAS FROM unnest(P_MESAS) AS M WHERE NOT "
            "EXISTS (SELECT 1 FROM MESA T WHERE T.NRMESA = M) OR EXISTS (SELECT 1 FROM "
            "MESARESERVADA H WHERE H.NRMESA = M AND %2 AND H.NRRESMESA <> COALESCE(P_NUMERO, 0)); "
            "IF V_PERDIDAS IS NOT NULL THEN RETURN QUERY SELECT 'ocupadas'::text, NULL::bigint, "
            "array_to_string(V_PERDIDAS, ','); RETURN; END IF; "
            "END IF; "
            "IF P_NUMERO IS NULL THEN "
            "INSERT INTO RESERVAMESA (%3, %7, IDENTREGA) VALUES (%4, P_ENTREGA) RETURNING "
            "NRRESMESA "
            "INTO V_NUMERO; "
            "ELSE "
            "UPDATE RESERVAMESA SET %5, IDENTREGA = P_ENTREGA WHERE NRRESMESA = P_NUMERO AND "
            "COALESCE(IDSTRESMESA, '') <> 'C' AND (P_VERSAO = 0 OR NRVERSAO = P_VERSAO); "
            "IF NOT FOUND THEN RETURN QUERY SELECT 'recusada'::text, P_NUMERO, NULL::text; "
            "RETURN; END IF; "
            "V_NUMERO := P_NUMERO; "
            "END IF; "
            "IF P_MESAS IS NOT NULL THEN "
            "DELETE FROM MESARESERVADA H WHERE H.NRRESMESA = V_NUMERO; "
            "INSERT INTO MESARESERVADA (NRRESMESA, NRMESA, DTRESMESA, HRINIRESMESA, HRFINRESMESA) "
            "SELECT V_NUMERO, M, P_DTRESMESA, P_HRINIRESMESA, P_HRFINRESMESA FROM "
            "unnest(P_MESAS) AS M ORDER BY M; "
            "ELSE "
            "UPDATE MESARESERVADA H SET DTRESMESA = P_DTRESMESA, HRINIRESMESA = P_HRINIRESMESA, "
            "HRFINRESMESA = P_HRFINRESMESA WHERE H.NRRESMESA = V_NUMERO; "
            "END IF; "
            "RETURN QUERY SELECT 'gravada'::text, V_NUMERO, %1; "
            "END")
            .arg(QLatin1String(heldList), QLatin1String(overlapsBooking),
                 insertedColumns().join(QStringLiteral(", ")), values.join(QStringLiteral(", ")),
                 assignments.join(QStringLiteral(", ")), QLatin1String(AdvisoryLockKey),
                 whoColumns().join(QStringLiteral(", ")));
    // A function of the same name with other parameters would be a second function: the one
    // an older version installed goes first.
    return {
        QStringLiteral("DO $$ DECLARE F regprocedure; BEGIN FOR F IN SELECT P.oid::regprocedure "
                       "FROM pg_proc P WHERE P.proname = lower('%1') AND P.pronamespace = "
                       "current_schema()::regnamespace LOOP EXECUTE 'DROP FUNCTION ' || F; END "
                       "LOOP; END $$")
            .arg(QLatin1String(functionName)),
        QStringLiteral("CREATE OR REPLACE FUNCTION %1(%2) RETURNS TABLE (SITUACAO text, NUMERO "
                       "bigint, MESAS text) LANGUAGE plpgsql AS $$ %3 $$")
            .arg(QLatin1String(functionName), parameters.join(QStringLiteral(", ")), body)};
}

ServerBookingOutcome BookOnServer(const ReservationDatabase& database,
                                  const StoredReservation& reservation,
                                  std::optional<qlonglong> editing, qlonglong version,
                                  const std::optional<std::vector<int>>& mesas,
                                  const QString& identity) {
    QStringList arguments{QStringLiteral(":P_ENTREGA"), QStringLiteral(":P_NUMERO"),
                          QStringLiteral(":P_VERSAO"),
                          QStringLiteral("CAST(:P_MESAS AS integer[])")};
    for (const ReservationColumn& column : ReservationColumns) {
        if (StoredByInsert(column)) {
            arguments << QLatin1Char(':') + parameterName(column);
        }
    }
    for (const QString& column : whoColumns()) {
        arguments << QLatin1Char(':') + column;
    }
    // Bound under the columns' own names, as every other write binds them.
    QSqlQuery& booking = database.Prepare(
        QStringLiteral("SELECT SITUACAO, NUMERO, MESAS FROM %1(%2)")
            .arg(QLatin1String(functionName), arguments.join(QStringLiteral(", "))),
        "BD_GRAVAR");
    const QVariant noText(QMetaType::fromType<QString>());
    booking.bindValue(QStringLiteral(":P_ENTREGA"), identity.isEmpty() ? noText : identity);
    booking.bindValue(QStringLiteral(":P_NUMERO"),
                      editing ? QVariant(*editing) : QVariant(QMetaType::fromType<qlonglong>()));
    booking.bindValue(QStringLiteral(":P_VERSAO"), version);
    booking.bindValue(QStringLiteral(":P_MESAS"), mesas ? QVariant(arrayText(*mesas)) : noText);
    for (const ReservationColumn& column : ReservationColumns) {
        if (StoredByInsert(column)) {
            booking.bindValue(QLatin1Char(':') + parameterName(column),
                              ColumnValue(reservation, column));
        }
    }
    BindWorkstation(booking);
    database.Execute(booking, "BD_GRAVAR");
    ServerBookingOutcome outcome;
    if (!booking.next()) {
        outcome.Outcome = ServerBookingOutcome::Kind::EditRefused;
        return outcome;
    }
    const QString said = booking.value(0).toString();
    outcome.Number = booking.value(1).toLongLong();
    outcome.Mesas = numbers(booking.value(2).toString());
    if (said == QLatin1String("antes")) {
        outcome.Outcome = ServerBookingOutcome::Kind::StoredBefore;
    } else if (said == QLatin1String("ocupadas")) {
        outcome.Outcome = ServerBookingOutcome::Kind::TablesTaken;
    } else if (said == QLatin1String("recusada")) {
        outcome.Outcome = ServerBookingOutcome::Kind::EditRefused;
    }
    return outcome;
}

} // namespace Reservas
