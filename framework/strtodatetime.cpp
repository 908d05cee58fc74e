#include "framework/datetime.h"

#include "framework/sysutils.h"

#include <utility>

namespace Sysutils {

namespace {

constexpr char kBlank = ' ';

// Reads the numbers of a date or time text: blanks only at the start, nothing left over.
class Scanner {
public:
    explicit Scanner(const AnsiString& text) : text_(text) {
        while (pos_ < text_.size() && text_[pos_] == kBlank) {
            ++pos_;
        }
    }

    bool AtEnd() const { return pos_ == text_.size(); }

    bool Skip(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // Returns how many digits were read (none means no number).
    int Number(int maxDigits, int& value) {
        int digits = 0;
        value = 0;
        while (digits < maxDigits && pos_ < text_.size() && text_[pos_] >= '0' &&
               text_[pos_] <= '9') {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
            ++digits;
        }
        return digits;
    }

private:
    const AnsiString& text_;
    std::size_t pos_ = 0;
};

[[noreturn]] void ConvertFailure(const char* format, const AnsiString& text) {
    throw EDateTimeError(Format(format, text));
}

// A year of one or two digits lands in the window that starts TwoDigitYearsBack years
// before the current one; without a window it stays in the current century.
int FullYear(int year, int digits, int currentYear) {
    if (digits > 2) {
        return year;
    }
    const int window = DateTimeFormats().TwoDigitYearsBack;
    if (window <= 0) {
        return currentYear / 100 * 100 + year;
    }
    const int firstYear = currentYear - window;
    const int full = firstYear / 100 * 100 + year;
    return full < firstYear ? full + 100 : full;
}

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

DateOrder ShortDateOrder() {
    const AnsiString format = LowerCase(DateTimeFormats().DatePattern);
    const auto first = format.find_first_of("dmy");
    if (first != AnsiString::npos && format[first] == 'm') {
        return DateOrder::MonthDayYear;
    }
    if (first != AnsiString::npos && format[first] == 'y') {
        return DateOrder::YearMonthDay;
    }
    return DateOrder::DayMonthYear;
}

} // namespace

TDateTime StrToDate(const AnsiString& text) {
    const char separator = DateTimeFormats().DateSeparator;
    Scanner scanner(text);
    int numbers[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    do {
        digits[count] = scanner.Number(4, numbers[count]);
        if (digits[count] == 0) {
            ConvertFailure("'%s' cannot be read as a date", text);
        }
        ++count;
    } while (count < 3 && scanner.Skip(separator));
    if (count < 2 || !scanner.AtEnd()) {
        ConvertFailure("'%s' cannot be read as a date", text);
    }

    const int currentYear = DecodeDateTime(Date()).date().year();
    int day = numbers[0];
    int month = numbers[1];
    int year = count == 3 ? FullYear(numbers[2], digits[2], currentYear) : currentYear;
    switch (ShortDateOrder()) {
    case DateOrder::DayMonthYear:
        break;
    case DateOrder::MonthDayYear:
        std::swap(day, month);
        break;
    case DateOrder::YearMonthDay:
        if (count == 3) {
            year = FullYear(numbers[0], digits[0], currentYear);
            month = numbers[1];
            day = numbers[2];
        } else {
            std::swap(day, month);
        }
        break;
    }

    const QDate date(year, month, day);
    if (!date.isValid()) {
        ConvertFailure("'%s' cannot be read as a date", text);
    }
    return EncodeDateTime(date);
}

TDateTime StrToTime(const AnsiString& text) {
    const char separator = DateTimeFormats().TimeSeparator;
    Scanner scanner(text);
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool read = scanner.Number(2, hour) > 0;
    if (read && scanner.Skip(separator)) {
        read = scanner.Number(2, minute) > 0;
        if (read && scanner.Skip(separator)) {
            read = scanner.Number(2, second) > 0;
        }
    }
    const QTime time(hour, minute, second);
    if (!read || !scanner.AtEnd() || !time.isValid()) {
        ConvertFailure("'%s' cannot be read as a time of day", text);
    }
    // A time alone lies on day zero, as Time() does.
    return EncodeDateTime(DayZero(), time);
}

} // namespace Sysutils
