#include "daylist/daydisplay.h"

#include "framework/maskutils.h"
#include "terminaltexts.h"

#include <QLocale>
#include <QStringList>

namespace {

constexpr std::size_t mobileDigits = 11;

// The entry screen's masks: a mobile number has one digit more before the dash.
AnsiString maskedTelephone(const AnsiString& digits) {
    if (digits.empty()) {
        return {};
    }
    return Maskutils::FormatMaskText(
        digits.size() == mobileDigits ? "(99) 99999-9999;0" : "(99) 9999-9999;0", digits);
}

AnsiString shownTime(const AnsiString& digits) {
    return Maskutils::FormatMaskText("!99:99;0", digits);
}

AnsiString tablesText(const std::vector<int>& mesas) {
    if (mesas.empty()) {
        return TerminalText("SEM_MESA");
    }
    QStringList numbers;
    for (const int mesa : mesas) {
        numbers << QString::number(mesa);
    }
    return FromQString(numbers.join(QStringLiteral(", ")));
}

// What the host wants to know of the guest at a glance, beneath the name.
AnsiString guestLine(const Reservas::DayReservation& reservation) {
    QStringList parts;
    if (reservation.Visitas > 0) {
        parts << ToQString(TerminalText("VISITA_NUMERO", QString::number(reservation.Visitas + 1)));
    }
    const QString description = ToQString(reservation.Reservation.DSRESMESA).trimmed();
    if (!description.isEmpty()) {
        parts << description;
    }
    return FromQString(parts.join(QStringLiteral(" \u00b7 ")));
}

} // namespace

DayRow DayRowOf(const Reservas::DayReservation& reservation) {
    const Reservas::StoredReservation& stored = reservation.Reservation;
    return {stored.NRRESMESA,
            shownTime(stored.HRINIRESMESA),
            shownTime(stored.HRFINRESMESA),
            stored.NMRESMESA,
            stored.NRPESRESMESA,
            maskedTelephone(stored.NRTELRESMESA),
            Reservas::StatusWord(stored.IDSTRESMESA),
            tablesText(reservation.Mesas),
            stored.IDSTRESMESA,
            guestLine(reservation),
            reservation.Chegada.empty()
                ? AnsiString()
                : TerminalText("CHEGOU_AS", ToQString(shownTime(reservation.Chegada))),
            stored.IDSTRESMESA == "C",
            reservation.Versao};
}

QString DayHeading(const QDate& day) {
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    QString weekday = brazil.dayName(day.dayOfWeek());
    if (!weekday.isEmpty()) {
        weekday[0] = weekday[0].toUpper();
    }
    return ToQString(TerminalText("DIA", weekday, day.toString(QStringLiteral("dd/MM/yyyy"))));
}
