#include "framework/data/datapacketvalue.h"
#include "datapacketquote.h"

#include <QByteArray>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace Datapacket {

using Db::TFieldType;
using Sysutils::TDateTime;

namespace {

// Julian day of the day before 0001-01-01.
constexpr long long JulianDayOffset = 1721425;

long long LastDayNumber() {
    return DateToDayNumber(QDate(9999, 12, 31));
}

// The day number of the day TDateTime counts from.
long long DayZeroNumber() {
    return DateToDayNumber(Sysutils::DayZero());
}

// What the typed reads and writes convert to and from, as the messages name it.
constexpr const char* DateTimeWords = "a date and time";
constexpr const char* WholeNumberWords = "a whole number";
constexpr const char* NumberWords = "a number";
constexpr const char* YesOrNoWords = "a yes-or-no value";

[[noreturn]] void NoConversion(const TColumn& column, const char* other) {
    Db::RaiseDatabaseError("field '" + column.name + "' holds " +
                           Db::DescribeFieldType(column.type) +
                           ", which does not convert to or from " + other);
}

[[noreturn]] void TextIsNot(const TColumn& column, const AnsiString& text,
                            const AnsiString& expected) {
    Db::RaiseDatabaseError("field '" + column.name + "': " + QuotedValue(text) + " is not " +
                           expected);
}

[[noreturn]] void OutsideCalendar(const TColumn& column) {
    Db::RaiseDatabaseError("field '" + column.name + "' takes dates from the year 1 to 9999 only");
}

bool IsInteger(TFieldType type) {
    return type == TFieldType::ftSmallint || type == TFieldType::ftInteger ||
           type == TFieldType::ftWord || type == TFieldType::ftLargeint ||
           type == TFieldType::ftAutoInc;
}

bool IsFloat(TFieldType type) {
    return type == TFieldType::ftFloat || type == TFieldType::ftCurrency;
}

bool IsDateOrTime(TFieldType type) {
    return type == TFieldType::ftDate || type == TFieldType::ftTime ||
           type == TFieldType::ftDateTime;
}

TDateTime FromDayTime(const TDayTime& value) {
    const double whole = static_cast<double>(value.day - DayZeroNumber());
    const double fraction = static_cast<double>(value.ms) / MsPerDay;
    // Before the epoch the day counts down while the time of day still counts up.
    return whole >= 0 ? whole + fraction : whole - fraction;
}

TDayTime ToDayTime(const TColumn& column, TDateTime value) {
    const double whole = std::trunc(value);
    const long long dayZero = DayZeroNumber();
    const double firstWhole = static_cast<double>(1 - dayZero);
    const double lastWhole = static_cast<double>(LastDayNumber() - dayZero);
    if (!std::isfinite(value) || whole < firstWhole || whole > lastWhole) {
        OutsideCalendar(column);
    }
    TDayTime result{static_cast<long long>(whole) + dayZero,
                    std::llround(std::fabs(value - whole) * MsPerDay)};
    if (result.ms >= MsPerDay) {
        result.ms -= MsPerDay;
        ++result.day;
    }
    return result;
}

AnsiString FloatText(double value) {
    return QByteArray::number(value, 'g', 15).toStdString();
}

bool ParseInteger(const TColumn& column, const AnsiString& text, long long& value) {
    const AnsiString digits = QByteArray::fromStdString(text).trimmed().toStdString();
    const char* first = digits.data();
    const char* last = first + digits.size();
    if (first != last && *first == '+') {
        ++first;
    }
    if (column.isUnsigned && column.bytes == 8) {
        unsigned long long unsignedValue = 0;
        const auto [end, error] = std::from_chars(first, last, unsignedValue);
        value = static_cast<long long>(unsignedValue);
        return error == std::errc() && end == last && first != last;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last;
}

double ParseFloat(const TColumn& column, const AnsiString& text) {
    bool ok = false;
    const double value = QByteArray::fromStdString(text).trimmed().toDouble(&ok);
    if (!ok) {
        TextIsNot(column, text, NumberWords);
    }
    return value;
}

// A date followed by a blank and a time of day, or a date alone.
TDateTime TextToDateTime(const AnsiString& text) {
    const auto blank = text.find(' ');
    if (blank == AnsiString::npos) {
        return Sysutils::StrToDate(text);
    }
    const TDateTime date = Sysutils::StrToDate(text.substr(0, blank));
    const TDateTime time = Sysutils::StrToTime(text.substr(blank + 1));
    return date >= 0 ? date + time : date - time;
}

long long CheckedInteger(const TColumn& column, long long value) {
    if (ValidIntegerValue(column, value)) {
        return value;
    }
    // The bounds ValidIntegerValue keeps; an 8-byte signed column takes every value.
    const int bits = column.bytes * 8;
    const long long lowest = column.isUnsigned ? 0 : -(1LL << (bits - 1));
    const long long highest = column.bytes >= 8   ? std::numeric_limits<long long>::max()
                              : column.isUnsigned ? (1LL << bits) - 1
                                                  : (1LL << (bits - 1)) - 1;
    // An unsigned 8-byte value arrives as its bit pattern.
    const AnsiString given = column.bytes >= 8
                                 ? std::to_string(static_cast<unsigned long long>(value))
                                 : std::to_string(value);
    Db::RaiseDatabaseError("field '" + column.name + "' holds whole numbers from " +
                           std::to_string(lowest) + " to " + std::to_string(highest) + ", and " +
                           given + " is not among them");
}

long long RoundedInteger(const TColumn& column, double value) {
    // 2^63 as a double; anything at or beyond it does not fit a long long.
    constexpr double Limit = 9223372036854775808.0;
    const double rounded = std::round(value);
    if (!std::isfinite(rounded) || rounded >= Limit || rounded < -Limit) {
        Db::RaiseDatabaseError("field '" + column.name + "': " + FloatText(value) +
                               " cannot be made a whole number");
    }
    return static_cast<long long>(rounded);
}

AnsiString DecimalText(const TColumn& column, double value) {
    if (!std::isfinite(value)) {
        TextIsNot(column, FloatText(value), "a finite number");
    }
    return QByteArray::number(value, 'f', column.decimals).toStdString();
}

} // namespace

bool ValidDayNumber(long long day) {
    return day >= 1 && day <= LastDayNumber();
}

QDate DayNumberToDate(long long day) {
    return QDate::fromJulianDay(day + JulianDayOffset);
}

long long DateToDayNumber(const QDate& date) {
    return date.toJulianDay() - JulianDayOffset;
}

bool SplitStoredDateTime(double stored, TDayTime& result) {
    if (!std::isfinite(stored)) {
        return false;
    }
    const double day = std::floor(stored / MsPerDay);
    if (day < 1 || day > static_cast<double>(LastDayNumber())) {
        return false;
    }
    result.day = static_cast<long long>(day);
    result.ms = std::llround(stored - day * MsPerDay);
    if (result.ms >= MsPerDay) {
        result.ms -= MsPerDay;
        ++result.day;
    }
    return ValidDayNumber(result.day);
}

double JoinStoredDateTime(const TDayTime& value) {
    return static_cast<double>(value.day) * MsPerDay + static_cast<double>(value.ms);
}

AnsiString TimeOfDayText(long long ms, char separator, const char* millisecondsMark) {
    char text[32];
    std::snprintf(text, sizeof text, "%02lld%c%02lld%c%02lld", ms / 3600000, separator,
                  ms / 60000 % 60, separator, ms / 1000 % 60);
    AnsiString result = text;
    if (millisecondsMark != nullptr) {
        std::snprintf(text, sizeof text, "%03lld", ms % 1000);
        result += millisecondsMark;
        result += text;
    }
    return result;
}

bool ValidIntegerValue(const TColumn& column, long long value) {
    if (column.bytes >= 8) {
        return !column.isUnsigned || value >= 0;
    }
    const int bits = column.bytes * 8;
    if (column.isUnsigned) {
        return value >= 0 && value < (1LL << bits);
    }
    return value >= -(1LL << (bits - 1)) && value < (1LL << (bits - 1));
}

bool NormalizeDecimal(const AnsiString& text, AnsiString& normalized) {
    std::size_t at = 0;
    AnsiString sign;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        sign = text[at] == '-' ? "-" : "";
        ++at;
    }
    AnsiString whole;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        whole += text[at++];
    }
    AnsiString fraction;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            fraction += text[at++];
        }
    }
    if (at != text.size() || (whole.empty() && fraction.empty())) {
        return false;
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    normalized = sign + (whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction);
    return true;
}

AnsiString ValueToString(const TColumn& column, const TValue& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        return {};
    }
    if (const auto* text = std::get_if<TText>(&value)) {
        return text->Str();
    }
    if (const auto* wide = std::get_if<QString>(&value)) {
        return FromQString(*wide);
    }
    if (const auto* bytes = std::get_if<QByteArray>(&value)) {
        return bytes->toStdString();
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? "True" : "False";
    }
    if (const auto* real = std::get_if<double>(&value)) {
        if (column.type == TFieldType::ftDateTime) {
            return Sysutils::DateTimeToStr(ValueToDateTime(column, value));
        }
        return FloatText(*real);
    }
    const long long number = std::get<long long>(value);
    if (column.type == TFieldType::ftDate) {
        return Sysutils::DateToStr(ValueToDateTime(column, value));
    }
    if (column.type == TFieldType::ftTime) {
        return TimeOfDayText(number, Sysutils::DateTimeFormats().TimeSeparator);
    }
    if (column.isUnsigned) {
        return std::to_string(static_cast<unsigned long long>(number));
    }
    return std::to_string(number);
}

TDateTime ValueToDateTime(const TColumn& column, const TValue& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        return 0;
    }
    switch (column.type) {
    case TFieldType::ftDate:
        return FromDayTime({std::get<long long>(value), 0});
    case TFieldType::ftTime:
        return static_cast<double>(std::get<long long>(value)) / MsPerDay;
    case TFieldType::ftDateTime: {
        TDayTime dayTime;
        if (!SplitStoredDateTime(std::get<double>(value), dayTime)) {
            OutsideCalendar(column);
        }
        return FromDayTime(dayTime);
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return std::get<double>(value);
    case TFieldType::ftString:
    case TFieldType::ftWideString:
        return TextToDateTime(ValueToString(column, value));
    default:
        NoConversion(column, DateTimeWords);
    }
}

long long ValueToInteger(const TColumn& column, const TValue& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        return 0;
    }
    if (IsInteger(column.type)) {
        return std::get<long long>(value);
    }
    switch (column.type) {
    case TFieldType::ftBoolean:
        return std::get<bool>(value) ? 1 : 0;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return RoundedInteger(column, std::get<double>(value));
    case TFieldType::ftBCD:
        return RoundedInteger(column, ParseFloat(column, std::get<TText>(value).Str()));
    case TFieldType::ftString:
    case TFieldType::ftWideString: {
        const AnsiString text = ValueToString(column, value);
        long long number = 0;
        TColumn signedColumn = column;
        signedColumn.isUnsigned = false;
        if (!ParseInteger(signedColumn, text, number)) {
            TextIsNot(column, text, WholeNumberWords);
        }
        return number;
    }
    default:
        NoConversion(column, WholeNumberWords);
    }
}

double ValueToFloat(const TColumn& column, const TValue& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        return 0;
    }
    if (IsInteger(column.type)) {
        const long long number = std::get<long long>(value);
        return column.isUnsigned ? static_cast<double>(static_cast<unsigned long long>(number))
                                 : static_cast<double>(number);
    }
    if (IsFloat(column.type)) {
        return std::get<double>(value);
    }
    if (IsDateOrTime(column.type)) {
        return ValueToDateTime(column, value);
    }
    if (column.type == TFieldType::ftBCD || column.type == TFieldType::ftString ||
        column.type == TFieldType::ftWideString) {
        return ParseFloat(column, ValueToString(column, value));
    }
    NoConversion(column, NumberWords);
}

bool ValueToBoolean(const TColumn& column, const TValue& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        return false;
    }
    if (column.type == TFieldType::ftBoolean) {
        return std::get<bool>(value);
    }
    if (IsInteger(column.type)) {
        return std::get<long long>(value) != 0;
    }
    if (column.type == TFieldType::ftString || column.type == TFieldType::ftWideString) {
        const AnsiString text = ValueToString(column, value);
        const char first = text.empty() ? '\0' : text[0];
        if (first == 'T' || first == 't' || first == 'F' || first == 'f') {
            return first == 'T' || first == 't';
        }
        TextIsNot(column, text, YesOrNoWords);
    }
    NoConversion(column, YesOrNoWords);
}

TValue StringToValue(const TColumn& column, const AnsiString& text) {
    if (text.empty()) {
        return {};
    }
    const auto width = static_cast<std::size_t>(column.width);
    switch (column.type) {
    case TFieldType::ftString:
        return width > 0 ? text.substr(0, width) : text;
    case TFieldType::ftWideString:
        return width > 0 ? ToQString(text).left(column.width) : ToQString(text);
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
        return QByteArray::fromStdString(text);
    case TFieldType::ftBoolean: {
        if (text[0] == 'T' || text[0] == 't' || text[0] == 'F' || text[0] == 'f') {
            return text[0] == 'T' || text[0] == 't';
        }
        TextIsNot(column, text, YesOrNoWords);
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return ParseFloat(column, text);
    case TFieldType::ftBCD: {
        AnsiString decimal;
        if (!NormalizeDecimal(QByteArray::fromStdString(text).trimmed().toStdString(), decimal)) {
            TextIsNot(column, text, Db::DescribeFieldType(column.type));
        }
        return decimal;
    }
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        return DateTimeToValue(column, TextToDateTime(text));
    default:
        break;
    }
    long long number = 0;
    if (!IsInteger(column.type) || !ParseInteger(column, text, number)) {
        TextIsNot(column, text, Db::DescribeFieldType(column.type));
    }
    return CheckedInteger(column, number);
}

TValue DateTimeToValue(const TColumn& column, TDateTime value) {
    switch (column.type) {
    case TFieldType::ftDate:
        return ToDayTime(column, value).day;
    case TFieldType::ftTime:
        return ToDayTime(column, value).ms;
    case TFieldType::ftDateTime:
        return JoinStoredDateTime(ToDayTime(column, value));
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return value;
    case TFieldType::ftString:
    case TFieldType::ftWideString:
        return StringToValue(column, Sysutils::DateTimeToStr(value));
    default:
        NoConversion(column, DateTimeWords);
    }
}

TValue IntegerToValue(const TColumn& column, long long value) {
    if (IsInteger(column.type)) {
        return CheckedInteger(column, value);
    }
    switch (column.type) {
    case TFieldType::ftBoolean:
        return value != 0;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return static_cast<double>(value);
    case TFieldType::ftBCD:
        return std::to_string(value);
    case TFieldType::ftString:
    case TFieldType::ftWideString:
        return StringToValue(column, std::to_string(value));
    default:
        NoConversion(column, WholeNumberWords);
    }
}

TValue FloatToValue(const TColumn& column, double value) {
    if (IsInteger(column.type)) {
        return CheckedInteger(column, RoundedInteger(column, value));
    }
    if (IsFloat(column.type)) {
        return value;
    }
    if (IsDateOrTime(column.type)) {
        return DateTimeToValue(column, value);
    }
    switch (column.type) {
    case TFieldType::ftBCD:
        return DecimalText(column, value);
    case TFieldType::ftString:
    case TFieldType::ftWideString:
        return StringToValue(column, FloatText(value));
    default:
        NoConversion(column, NumberWords);
    }
}

TValue BooleanToValue(const TColumn& column, bool value) {
    if (column.type == TFieldType::ftBoolean) {
        return value;
    }
    if (IsInteger(column.type)) {
        return value ? 1LL : 0LL;
    }
    if (column.type == TFieldType::ftString || column.type == TFieldType::ftWideString) {
        return StringToValue(column, value ? "True" : "False");
    }
    NoConversion(column, YesOrNoWords);
}

} // namespace Datapacket
