#pragma once

#include "framework/ansistring.h"
#include "framework/framework_export.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <functional>

namespace Sysutils {

// Days since DayZero(); the fraction is the time of day.
using TDateTime = double;

constexpr long long MsPerDay = 86400000;

// The day TDateTime counts from, 1899-12-30; for the framework's own conversions.
QDate DayZero();

// How dates and times are written and read. In the patterns d, m and y stand for the day, month
// and year, h, n, s and z for the hours, minutes, seconds and milliseconds.
struct FRAMEWORK_EXPORT TDateTimeFormats {
    AnsiString DatePattern = "dd/mm/yyyy";
    char DateSeparator = '/';
    char TimeSeparator = ':';
    AnsiString TimePattern = "hh:nn:ss";
    // A year read with one or two digits falls within the hundred years that start this many
    // years before the current one; 0 keeps it in the current century.
    int TwoDigitYearsBack = 50;
};

// The settings every conversion reads; a host may replace them.
FRAMEWORK_EXPORT TDateTimeFormats& DateTimeFormats();

// The clock behind Now, Date and Time. Tests set it; an empty function restores the system clock.
FRAMEWORK_EXPORT void SetClock(std::function<QDateTime()> clock);
FRAMEWORK_EXPORT TDateTime Now();
FRAMEWORK_EXPORT TDateTime Date();
FRAMEWORK_EXPORT TDateTime Time();

FRAMEWORK_EXPORT TDateTime EncodeDateTime(const QDate& date, const QTime& time = QTime(0, 0));
FRAMEWORK_EXPORT QDateTime DecodeDateTime(TDateTime value);

// Raise EDateTimeError quoting the text when it is not a date / time of day.
FRAMEWORK_EXPORT TDateTime StrToDate(const AnsiString& text);
FRAMEWORK_EXPORT TDateTime StrToTime(const AnsiString& text);

// The short date, followed by a blank and the long time when the time is not midnight.
FRAMEWORK_EXPORT AnsiString DateTimeToStr(TDateTime value);
FRAMEWORK_EXPORT AnsiString DateToStr(TDateTime value);

} // namespace Sysutils
