#pragma once

#include "framework/data/datapacket.h"
#include "framework/datetime.h"
#include "framework/framework_export.h"

#include <QDate>
#include <QTime>

// Conversions of packet values: between the stored forms of dates and times and the calendar,
// and between a column's values and the types fields are read and written as.
namespace Datapacket {

using Sysutils::MsPerDay;

// Day numbers count from 0001-01-01 (day 1); only years 1 to 9999 are valid.
FRAMEWORK_EXPORT bool ValidDayNumber(long long day);
FRAMEWORK_EXPORT QDate DayNumberToDate(long long day);
FRAMEWORK_EXPORT long long DateToDayNumber(const QDate& date);

struct FRAMEWORK_EXPORT TDayTime {
    long long day = 0;
    long long ms = 0;
};

// A stored date-time split into its day number and milliseconds; false when it is not finite
// or outside the valid years.
FRAMEWORK_EXPORT bool SplitStoredDateTime(double stored, TDayTime& result);
FRAMEWORK_EXPORT double JoinStoredDateTime(const TDayTime& value);

// A time of day (milliseconds since midnight) as hours, minutes and seconds of two digits each,
// between separators; with millisecondsMark, followed by it and the milliseconds in three digits.
FRAMEWORK_EXPORT AnsiString TimeOfDayText(long long ms, char separator,
                                          const char* millisecondsMark = nullptr);

FRAMEWORK_EXPORT bool ValidIntegerValue(const TColumn& column, long long value);

// Checks a decimal number ("-12.5", "3", ".25") and gives it in the form BCD values are kept
// ("-12.5", "3", "0.25"); false when it is not one.
FRAMEWORK_EXPORT bool NormalizeDecimal(const AnsiString& text, AnsiString& normalized);

// Reading a value as the field accessors do; null gives "", 0, false. A value that cannot be
// read as the asked type raises EDatabaseError naming the column.
FRAMEWORK_EXPORT AnsiString ValueToString(const TColumn& column, const TValue& value);
FRAMEWORK_EXPORT Sysutils::TDateTime ValueToDateTime(const TColumn& column, const TValue& value);
FRAMEWORK_EXPORT long long ValueToInteger(const TColumn& column, const TValue& value);
FRAMEWORK_EXPORT double ValueToFloat(const TColumn& column, const TValue& value);
FRAMEWORK_EXPORT bool ValueToBoolean(const TColumn& column, const TValue& value);

// Making a value of the column's kind; an empty text makes null. What does not fit the column
// raises EDatabaseError naming the column.
FRAMEWORK_EXPORT TValue StringToValue(const TColumn& column, const AnsiString& text);
FRAMEWORK_EXPORT TValue DateTimeToValue(const TColumn& column, Sysutils::TDateTime value);
FRAMEWORK_EXPORT TValue IntegerToValue(const TColumn& column, long long value);
FRAMEWORK_EXPORT TValue FloatToValue(const TColumn& column, double value);
FRAMEWORK_EXPORT TValue BooleanToValue(const TColumn& column, bool value);

} // namespace Datapacket
