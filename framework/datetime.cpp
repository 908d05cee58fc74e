#include "framework/datetime.h"

#include "framework/sysutils.h"

#include <cmath>
#include <utility>

namespace Sysutils {

namespace {

std::function<QDateTime()>& Clock() {
    static std::function<QDateTime()> clock;
    return clock;
}

QDateTime CurrentDateTime() {
    const auto& clock = Clock();
    return clock ? clock() : QDateTime::currentDateTime();
}

} // namespace

QDate DayZero() {
    return QDate(1899, 12, 30);
}

TDateTimeFormats& DateTimeFormats() {
    static TDateTimeFormats settings;
    return settings;
}

void SetClock(std::function<QDateTime()> clock) {
    Clock() = std::move(clock);
}

TDateTime Now() {
    const QDateTime now = CurrentDateTime();
    return EncodeDateTime(now.date(), now.time());
}

TDateTime Date() {
    return EncodeDateTime(CurrentDateTime().date());
}

TDateTime Time() {
    return EncodeDateTime(DayZero(), CurrentDateTime().time());
}

TDateTime EncodeDateTime(const QDate& date, const QTime& time) {
    if (!date.isValid() || !time.isValid()) {
        throw EDateTimeError("there is no such date or time of day to convert");
    }
    const auto days = static_cast<double>(DayZero().daysTo(date));
    const double fraction = time.msecsSinceStartOfDay() / static_cast<double>(MsPerDay);
    // Before day zero the fraction still counts forward from midnight: -1.25 is 29/12/1899 06:00.
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime DecodeDateTime(TDateTime value) {
    const double wholeDays = std::trunc(value);
    auto days = static_cast<qint64>(wholeDays);
    auto msecs =
        static_cast<int>(std::llround(std::abs(value - wholeDays) * static_cast<double>(MsPerDay)));
    // Rounding may reach the next midnight.
    if (msecs >= MsPerDay) {
        msecs = 0;
        days += value < 0 ? -1 : 1;
    }
    return QDateTime(DayZero().addDays(days), QTime::fromMSecsSinceStartOfDay(msecs));
}

} // namespace Sysutils
