#include "host/showreservation.h"

#include "reservas/reservationstore.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

bool ShowStoredReservation(const AnsiString& nrresmesa) {
    std::optional<Reservas::StoredReservation> stored;
    try {
        stored = Reservas::FindReservation(nrresmesa);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(ToQString(error.what())));
        return false;
    }
    if (!stored) {
        std::fprintf(stderr, "no stored reservation has the number %s\n",
                     qPrintable(ToQString(nrresmesa)));
        return false;
    }
    const auto text = [](const AnsiString& latin1) { return ToQString(latin1); };
    const QJsonObject reservation{{"NRRESMESA", text(stored->NRRESMESA)},
                                  {"NMRESMESA", text(stored->NMRESMESA)},
                                  {"DTRESMESA", stored->DTRESMESA.toString(Qt::ISODate)},
                                  {"HRINIRESMESA", text(stored->HRINIRESMESA)},
                                  {"HRFINRESMESA", text(stored->HRFINRESMESA)},
                                  {"NRTELRESMESA", text(stored->NRTELRESMESA)},
                                  {"NRPESRESMESA", text(stored->NRPESRESMESA)},
                                  {"DSRESMESA", text(stored->DSRESMESA)},
                                  {"IDSTRESMESA", text(stored->IDSTRESMESA)},
                                  {"CDFILIAL", text(stored->CDFILIAL)},
                                  {"CDLOJA", text(stored->CDLOJA)},
                                  {"CDOPERINCRES", text(stored->CDOPERINCRES)},
                                  {"DTHRINCLURES", stored->DTHRINCLURES.toString(Qt::ISODate)}};
    std::fputs(QJsonDocument(reservation).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    return true;
}
