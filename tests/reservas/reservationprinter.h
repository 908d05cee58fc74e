#pragma once

#include "reservas/store.h"

#include <QByteArray>
#include <QTest>
#include <string>

// Failed comparisons print Latin-1 texts as their bytes and reservations column by column.
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
} // namespace QTest
