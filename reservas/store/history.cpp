#include "history.h"

#include "databaseconnection.h"
#include "databaseengine.h"
#include "databasethread.h"
#include "reservationcolumns.h"
#include "reservationrows.h"
#include "schema.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>

namespace Reservas {

namespace {

// The fields a history entry keeps, in the order it shows them: what the operator enters, the
// status and the arrival.
QStringList historyFields() {
    QStringList fields;
    for (const ReservationColumn& column : ReservationColumns) {
        if (StoredByUpdate(column)) {
            fields << column.SqlName();
        }
    }
    return fields << QStringLiteral("IDSTRESMESA") << QLatin1String(ArrivalColumn);
}

// The fields of the row named row (NEW or OLD) as one JSON object's text.
QString fieldsObject(DatabaseEngine engine, const QString& row) {
    QStringList members;
    for (const QString& field : historyFields()) {
        members << QLatin1Char('\'') + field + QStringLiteral("', ") + row + QLatin1Char('.') +
                       field;
    }
    return engine == DatabaseEngine::SQLite
               ? QStringLiteral("json_object(%1)").arg(members.join(QStringLiteral(", ")))
               : QStringLiteral("json_build_object(%1)::text")
                     .arg(members.join(QStringLiteral(", ")));
}

// What a change of status did; a change that keeps the status is an edit.
constexpr auto updateEvent =
    "CASE WHEN COALESCE(OLD.IDSTRESMESA, '') = COALESCE(NEW.IDSTRESMESA, '') THEN 'alterada' "
    "WHEN NEW.IDSTRESMESA = 'C' THEN 'cancelada' WHEN NEW.IDSTRESMESA = 'U' THEN 'chegou' "
    "WHEN NEW.IDSTRESMESA = 'N' THEN 'nao_veio' WHEN OLD.IDSTRESMESA = 'C' THEN 'reativada' "
    "ELSE 'desfeita' END";

QString historyInsert(DatabaseEngine engine, const QString& event, const QString& before) {
    return QStringLiteral("INSERT INTO RESERVAHISTORICO (NRRESMESA, DTHRHISTORICO, IDEVENTO, "
                          "CDOPERADOR, NMTERMINAL, ANTES, DEPOIS) VALUES (NEW.NRRESMESA, "
                          "NEW.DTHRALTRES, %1, NEW.CDOPERALTRES, NEW.NMTERMALTRES, %2, %3)")
        .arg(event, before, fieldsObject(engine, QStringLiteral("NEW")));
}

std::vector<std::pair<QString, QString>> fieldValues(const QString& json) {
    const QJsonObject object = QJsonDocument::fromJson(json.toUtf8()).object();
    std::vector<std::pair<QString, QString>> values;
    if (object.isEmpty()) {
        return values;
    }
    for (const QString& field : historyFields()) {
        values.emplace_back(field, object.value(field).toString());
    }
    return values;
}

} // namespace

QStringList ServiceHistorySql(DatabaseEngine engine) {
    QStringList statements;
    for (const QString& column :
         QStringList{QLatin1String(ArrivalColumn)} + QStringList{QStringLiteral("CDOPERALTRES"),
                                                                 QStringLiteral("NMTERMALTRES"),
                                                                 QStringLiteral("DTHRALTRES")}) {
        statements << QStringLiteral("ALTER TABLE RESERVAMESA ADD COLUMN %1 TEXT").arg(column);
    }
    statements << QStringLiteral("CREATE INDEX RESERVAMESA_TELEFONE ON RESERVAMESA (NRTELRESMESA)")
               << QStringLiteral(
                      "CREATE TABLE RESERVAHISTORICO (NRHISTORICO %1, NRRESMESA BIGINT NOT "
                      "NULL, DTHRHISTORICO TEXT, IDEVENTO TEXT NOT NULL, CDOPERADOR TEXT, "
                      "NMTERMINAL TEXT, ANTES TEXT, DEPOIS TEXT)")
                      .arg(ReservationKeyType(engine))
               << QStringLiteral(
                      "CREATE INDEX RESERVAHISTORICO_RESERVA ON RESERVAHISTORICO (NRRESMESA, "
                      "NRHISTORICO)");
    const QString onInsert =
        historyInsert(engine, QStringLiteral("'nova'"), QStringLiteral("NULL"));
    const QString onUpdate = historyInsert(engine, QLatin1String(updateEvent),
                                           fieldsObject(engine, QStringLiteral("OLD")));
    if (engine == DatabaseEngine::SQLite) {
        // The version's own update (NRVERSAO advanced by its trigger) is no change of its own.
        return statements << QStringLiteral("CREATE TRIGGER RESERVAMESA_HISTORICO_INCLUIR AFTER "
                                            "INSERT ON RESERVAMESA BEGIN %1; END")
                                 .arg(onInsert)
                          << QStringLiteral("CREATE TRIGGER RESERVAMESA_HISTORICO_ALTERAR AFTER "
                                            "UPDATE ON RESERVAMESA WHEN NEW.NRVERSAO = "
                                            "OLD.NRVERSAO BEGIN %1; END")
                                 .arg(onUpdate);
    }
    // Written with the owner's rights: a terminal reads the history and cannot write it.
    return statements << QStringLiteral("CREATE OR REPLACE FUNCTION RESERVAS_HISTORICO() RETURNS "
                                        "trigger LANGUAGE plpgsql SECURITY DEFINER SET "
                                        "search_path FROM CURRENT AS $$ BEGIN IF TG_OP = "
                                        "'INSERT' THEN %1; ELSE %2; END IF; RETURN NULL; END $$")
                             .arg(onInsert, onUpdate)
                      << QStringLiteral("CREATE TRIGGER RESERVAMESA_HISTORICO AFTER INSERT OR "
                                        "UPDATE ON RESERVAMESA FOR EACH ROW EXECUTE FUNCTION "
                                        "RESERVAS_HISTORICO()");
}

std::vector<HistoryEntry> ReservationHistory(const AnsiString& nrresmesa) {
    const std::optional<qlonglong> asked = ReservationNumber(nrresmesa);
    if (!asked) {
        return {};
    }
    return OnDatabaseThread([number = *asked] {
        const ReservationDatabase database(DatabaseAccess::Read);
        std::vector<HistoryEntry> entries;
        if (database.Version() < FirstVersionWithHistory) {
            return entries;
        }
        QSqlQuery& select = database.Prepare(
            QStringLiteral("SELECT DTHRHISTORICO, IDEVENTO, CDOPERADOR, NMTERMINAL, ANTES, DEPOIS "
                           "FROM RESERVAHISTORICO WHERE NRRESMESA = :NRRESMESA ORDER BY "
                           "NRHISTORICO"),
            "BD_LER");
        select.bindValue(QStringLiteral(":NRRESMESA"), number);
        database.Execute(select, "BD_LER");
        while (select.next()) {
            entries.push_back({MomentOf(select.value(0).toString()), select.value(1).toString(),
                               select.value(2).toString(), select.value(3).toString(),
                               fieldValues(select.value(4).toString()),
                               fieldValues(select.value(5).toString())});
        }
        return entries;
    });
}

} // namespace Reservas
