#include "reservas/reservationlayout.h"
#include "reservas/reservationstore.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace Reservas {

namespace {

// A JSON string, escaped by Qt: the one element of a compact array, without its brackets.
QByteArray jsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

QByteArray ReservationJson(const StoredReservation& reservation) {
    // Written by hand because QJsonObject sorts its keys.
    QByteArray json = "{";
    for (const ReservationColumn& column : ReservationColumns) {
        if (json.size() > 1) {
            json += ',';
        }
        json += jsonString(column.SqlName()) + ':' + jsonString(ColumnValue(reservation, column));
    }
    return json + '}';
}

} // namespace Reservas
