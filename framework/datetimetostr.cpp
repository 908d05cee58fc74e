#include "framework/datetime.h"

#include "framework/sysutils.h"

#include <algorithm>

namespace Sysutils {

namespace {

// Our format letters differ from Qt's (n is the minute, m the month), and the separators come
// from the settings; everything else is quoted so Qt keeps it literal.
QString QtFormat(const AnsiString& format) {
    const TDateTimeFormats& settings = DateTimeFormats();
    QString result;
    std::size_t i = 0;
    while (i < format.size()) {
        const char letter = LowerCase(format.substr(i, 1))[0];
        std::size_t run = 1;
        while (i + run < format.size() && LowerCase(format.substr(i + run, 1))[0] == letter) {
            ++run;
        }
        const qsizetype upToTwo = static_cast<qsizetype>(std::min<std::size_t>(run, 2));
        switch (letter) {
        case 'd':
            result += QString(upToTwo, u'd');
            break;
        case 'm':
            result += QString(upToTwo, u'M');
            break;
        case 'y':
            result += run <= 2 ? u"yy" : u"yyyy";
            break;
        case 'h':
            result += QString(upToTwo, u'h');
            break;
        case 'n':
            result += QString(upToTwo, u'm');
            break;
        case 's':
            result += QString(upToTwo, u's');
            break;
        case 'z':
            result += run >= 3 ? u"zzz" : u"z";
            break;
        default: {
            run = 1;
            char literal = format[i];
            if (literal == '/') {
                literal = settings.DateSeparator;
            } else if (literal == ':') {
                literal = settings.TimeSeparator;
            }
            const QChar c(static_cast<uchar>(literal));
            result += c == u'\'' ? QStringLiteral("''") : QStringLiteral("'") + c + u'\'';
        }
        }
        i += run;
    }
    return result;
}

} // namespace

AnsiString DateTimeToStr(TDateTime value) {
    const QDateTime dateTime = DecodeDateTime(value);
    AnsiString result = DateToStr(value);
    if (dateTime.time() != QTime(0, 0)) {
        result += ' ';
        result += FromQString(dateTime.time().toString(QtFormat(DateTimeFormats().TimePattern)));
    }
    return result;
}

AnsiString DateToStr(TDateTime value) {
    return FromQString(
        DecodeDateTime(value).date().toString(QtFormat(DateTimeFormats().DatePattern)));
}

} // namespace Sysutils
