#include "reservas/store.h"
#include "reservationcolumns.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace Reservas {

namespace {

// A JSON string, escaped by Qt: the one element of a compact array, without its brackets.
QByteArray jsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// The members of the reservation's object, without its braces. Written by hand because
// QJsonObject sorts its keys.
QByteArray columnMembers(const StoredReservation& reservation) {
    QByteArray members;
    for (const ReservationColumn& column : ReservationColumns) {
        if (!members.isEmpty()) {
            members += ',';
        }
        members +=
            jsonString(column.SqlName()) + ':' + jsonString(ColumnValue(reservation, column));
    }
    return members;
}

} // namespace

QByteArray ReservationJson(const StoredReservation& reservation) {
    return '{' + columnMembers(reservation) + '}';
}

QByteArray DayReservationJson(const DayReservation& reservation) {
    QJsonArray mesas;
    for (const int mesa : reservation.Mesas) {
        mesas.append(mesa);
    }
    return '{' + columnMembers(reservation.Reservation) +
           ",\"mesas\":" + QJsonDocument(mesas).toJson(QJsonDocument::Compact) + '}';
}

} // namespace Reservas
