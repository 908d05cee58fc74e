#include "daylist/daycontents.h"

DayContents ReadDayContents(const QDate& day) {
    DayContents contents;
    contents.Day = day;
    contents.Reservations = Reservas::ReservationsOfDay(day);
    contents.Tables = Reservas::RestaurantTables();
    return contents;
}
