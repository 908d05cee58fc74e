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

struct FRAMEWORK_EXPORT TFormatSettings {
    AnsiString ShortDateFormat = "dd/mm/yyyy";
    char DateSeparator = '/';
    char TimeSeparator = ':';
    AnsiString LongTimeFormat = "hh:nn:ss";
    int TwoDigitYearCenturyWindow = 50;
};

// The settings every conversion reads; a host may replace them.
FRAMEWORK_EXPORT TFormatSettings& FormatSettings();

// The clock behind Now, Date and Time. Tests set it; an empty function restores the system clock.
FRAMEWORK_EXPORT void SetClock(std::function<QDateTime()> clock);
FRAMEWORK_EXPORT TDateTime Now();
FRAMEWORK_EXPORT TDateTime Date();
FRAMEWORK_EXPORT TDateTime Time();

FRAMEWORK_EXPORT TDateTime EncodeDateTime(const QDate& date, const QTime& time = QTime(0, 0));
FRAMEWORK_EXPORT QDateTime DecodeDateTime(TDateTime value);

// Raise EConvertError quoting the text when it is not a date / time of day.
FRAMEWORK_EXPORT TDateTime StrToDate(const AnsiString& text);
FRAMEWORK_EXPORT TDateTime StrToTime(const AnsiString& text);

// The short date, followed by a blank and the long time when the time is not midnight.
FRAMEWORK_EXPORT AnsiString DateTimeToStr(TDateTime value);
FRAMEWORK_EXPORT AnsiString DateToStr(TDateTime value);

} // namespace Sysutils
