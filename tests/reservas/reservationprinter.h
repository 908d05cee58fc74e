#pragma once

#include "reservas/store.h"

#include <QByteArray>
#include <QString>
#include <QTest>
#include <string>

// Failed comparisons print Latin-1 texts as their bytes, reservations column by column and a
// guest's record in words.
namespace QTest {
template <> inline char* toString(const std::string& text) {
    return toString(QByteArray::fromStdString(text));
}
template <> inline char* toString(const Reservas::StoredReservation& r) {
    const std::string date = r.DTRESMESA.toString(Qt::ISODate).toStdString();
    const std::string included = r.DTHRINCLURES.toString(Qt::ISODate).toStdString();
    const std::string text = "DSRESMESA=" + r.DSRESMESA + " NRRESMESA=" + r.NRRESMESA +
                             " CDFILIAL=" + r.CDFILIAL + " CDLOJA=" + r.CDLOJA +
                             " DTRESMESA=" + date + " HRINIRESMESA=" + r.HRINIRESMESA +
                             " HRFINRESMESA=" + r.HRFINRESMESA + " NMRESMESA=" + r.NMRESMESA +
                             " NRTELRESMESA=" + r.NRTELRESMESA + " NRPESRESMESA=" + r.NRPESRESMESA +
                             " IDSTRESMESA=" + r.IDSTRESMESA + " CDOPERINCRES=" + r.CDOPERINCRES +
                             " DTHRINCLURES=" + included;
    return toString(QByteArray::fromStdString(text));
}
template <> inline char* toString(const Reservas::GuestRecord& record) {
    return toString(QStringLiteral("%1 visits, last %2, %3 no-shows")
                        .arg(record.Visits)
                        .arg(record.LastVisit.toString(Qt::ISODate))
                        .arg(record.NoShows));
}
} // namespace QTest
