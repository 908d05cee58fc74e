#include "ansistring_printer.h"

#include "framework/datetime.h"
#include "framework/sysutils.h"

#include <QTest>

using namespace Sysutils;

namespace {

// 2026-12-07 is day 46363 after 1899-12-30.
constexpr double kClockDay = 46363.0;
const QDateTime kClock(QDate(2026, 12, 7), QTime(19, 30, 15, 250));

void SetClockTo(const QDateTime& at) {
    SetClock([at] { return at; });
}

QTime TimeOf(TDateTime value) {
    return DecodeDateTime(value).time();
}

QDate DateOf(TDateTime value) {
    return DecodeDateTime(value).date();
}

} // namespace

class DateTimeTests : public QObject {
    Q_OBJECT

    TDateTimeFormats savedSettings;

private slots:
    void init() {
        savedSettings = DateTimeFormats();
        SetClockTo(kClock);
    }

    void cleanup() {
        SetClock({});
        DateTimeFormats() = savedSettings;
    }

    void defaultsAreBrazilian() {
        QCOMPARE(savedSettings.DatePattern, AnsiString("dd/mm/yyyy"));
        QCOMPARE(savedSettings.DateSeparator, '/');
        QCOMPARE(savedSettings.TimeSeparator, ':');
        QCOMPARE(savedSettings.TimePattern, AnsiString("hh:nn:ss"));
        QCOMPARE(savedSettings.TwoDigitYearsBack, 50);
    }

    void clockGivesDateTimeAndNow() {
        QCOMPARE(Date(), kClockDay);
        QCOMPARE(Time(), (((19 * 60 + 30) * 60 + 15) * 1000 + 250) / 86400000.0);
        QCOMPARE(Now(), Date() + Time());
        QCOMPARE(TimeOf(Time()), QTime(19, 30, 15, 250));
    }

    void emptyClockRestoresTheSystemClock() {
        SetClock({});
        const QDate before = QDate::currentDate();
        const QDate today = DateOf(Date());
        QVERIFY(today == before || today == QDate::currentDate());
    }

    void encodeAndDecodeRoundTrip_data() {
        QTest::addColumn<QDateTime>("dateTime");
        QTest::addColumn<double>("value");
        QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
        QTest::newRow("evening") << QDateTime(QDate(2026, 12, 7), QTime(19, 30)) << 46363.8125;
        QTest::newRow("noon before day zero")
            << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
        QTest::newRow("last millisecond") << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999))
                                          << 45351.0 + 86399999.0 / 86400000.0;
        QTest::newRow("one millisecond")
            << QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0, 1)) << 46023.0 + 1.0 / 86400000.0;
    }

    void encodeAndDecodeRoundTrip() {
        QFETCH(QDateTime, dateTime);
        QFETCH(double, value);
        QCOMPARE(EncodeDateTime(dateTime.date(), dateTime.time()), value);
        QCOMPARE(DecodeDateTime(value), dateTime);
    }

    void decodeRoundsToTheNearestMillisecond() {
        const double justBeforeMidnight = kClockDay + 0.9999999999;
        QCOMPARE(DecodeDateTime(justBeforeMidnight), QDateTime(QDate(2026, 12, 8), QTime(0, 0)));
        const double aThirdOfAMillisecond = kClockDay + 1000.3 / 86400000.0;
        QCOMPARE(TimeOf(aThirdOfAMillisecond), QTime(0, 0, 1));
        QCOMPARE(DecodeDateTime(-1.9999999999), QDateTime(QDate(1899, 12, 28), QTime(0, 0)));
    }

    void encodeRejectsInvalidParts() {
        QVERIFY_THROWS_EXCEPTION(EDateTimeError, EncodeDateTime(QDate()));
        QVERIFY_THROWS_EXCEPTION(EDateTimeError, EncodeDateTime(QDate(2026, 1, 1), QTime(25, 0)));
    }

    void strToDateReadsDates_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("four-digit year") << QByteArray("07/12/2026") << QDate(2026, 12, 7);
        QTest::newRow("single digits") << QByteArray("7/3/2026") << QDate(2026, 3, 7);
        QTest::newRow("two-digit year") << QByteArray("07/12/26") << QDate(2026, 12, 7);
        QTest::newRow("one-digit year") << QByteArray("07/12/9") << QDate(2009, 12, 7);
        QTest::newRow("80 in the past") << QByteArray("01/01/80") << QDate(1980, 1, 1);
        QTest::newRow("window start") << QByteArray("01/01/76") << QDate(1976, 1, 1);
        QTest::newRow("75 in the future") << QByteArray("01/01/75") << QDate(2075, 1, 1);
        QTest::newRow("leading blanks") << QByteArray("   07/12/2026") << QDate(2026, 12, 7);
        QTest::newRow("day and month") << QByteArray("12/03") << QDate(2026, 3, 12);
        QTest::newRow("leap day") << QByteArray("29/02/2024") << QDate(2024, 2, 29);
        QTest::newRow("leap century") << QByteArray("29/02/2000") << QDate(2000, 2, 29);
    }

    void strToDateReadsDates() {
        QFETCH(QByteArray, text);
        QFETCH(QDate, expected);
        const TDateTime value = StrToDate(text.toStdString());
        QCOMPARE(DateOf(value), expected);
        QCOMPARE(TimeOf(value), QTime(0, 0));
    }

    void strToDateRejects_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("blanks") << QByteArray("   ");
        QTest::newRow("day alone") << QByteArray("12");
        QTest::newRow("separator without year") << QByteArray("12/03/");
        QTest::newRow("time of day after") << QByteArray("07/12/2026 19:30:00");
        QTest::newRow("trailing blank") << QByteArray("07/12/2026 ");
        QTest::newRow("fourth part") << QByteArray("07/12/2026/1");
        QTest::newRow("other separator") << QByteArray("07-12-2026");
        QTest::newRow("February 31") << QByteArray("31/02/2024");
        QTest::newRow("February 29, common year") << QByteArray("29/02/2025");
        QTest::newRow("February 29, 1900") << QByteArray("29/02/1900");
        QTest::newRow("month 13") << QByteArray("07/13/2026");
        QTest::newRow("day 0") << QByteArray("00/12/2026");
        QTest::newRow("year 0") << QByteArray("07/12/0000");
        QTest::newRow("letter") << QByteArray("O7/12/2026");
        QTest::newRow("label before typing") << QByteArray("//");
        QTest::newRow("five-digit year") << QByteArray("07/12/20260");
    }

    void strToDateRejects() {
        QFETCH(QByteArray, text);
        try {
            StrToDate(text.toStdString());
            QFAIL("accepted");
        } catch (const EDateTimeError& e) {
            QCOMPARE(e.Message(), "'" + text.toStdString() + "' cannot be read as a date");
        }
    }

    void dayAndMonthTakeTheClockYear() {
        SetClockTo(QDateTime(QDate(2030, 1, 1), QTime(0, 0)));
        QVERIFY_THROWS_EXCEPTION(EDateTimeError, StrToDate("29/02"));
        SetClockTo(QDateTime(QDate(2028, 6, 1), QTime(0, 0)));
        QCOMPARE(DateOf(StrToDate("29/02")), QDate(2028, 2, 29));
    }

    void twoDigitYearsFollowTheClockYear() {
        SetClockTo(QDateTime(QDate(2060, 6, 1), QTime(0, 0)));
        QCOMPARE(DateOf(StrToDate("01/01/10")), QDate(2010, 1, 1));
        QCOMPARE(DateOf(StrToDate("01/01/09")), QDate(2109, 1, 1));
    }

    void strToDateFollowsTheSettings() {
        DateTimeFormats().DatePattern = "yyyy-mm-dd";
        DateTimeFormats().DateSeparator = '-';
        QCOMPARE(DateOf(StrToDate("2026-12-07")), QDate(2026, 12, 7));
        QCOMPARE(DateOf(StrToDate("26-12-07")), QDate(2026, 12, 7));
        QCOMPARE(DateOf(StrToDate("12-07")), QDate(2026, 12, 7));
        DateTimeFormats().DatePattern = "m/d/yyyy";
        DateTimeFormats().DateSeparator = '/';
        QCOMPARE(DateOf(StrToDate("12/7/2026")), QDate(2026, 12, 7));
        QCOMPARE(DateOf(StrToDate("12/7")), QDate(2026, 12, 7));
    }

    void strToTimeReadsTimes_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QTime>("expected");
        QTest::newRow("hours and minutes") << QByteArray("19:30") << QTime(19, 30);
        QTest::newRow("one-digit minute") << QByteArray("12:3") << QTime(12, 3);
        QTest::newRow("masked one-digit hour") << QByteArray(" 9:30") << QTime(9, 30);
        QTest::newRow("hour alone") << QByteArray("9") << QTime(9, 0);
        QTest::newRow("midnight") << QByteArray("00:00") << QTime(0, 0);
        QTest::newRow("last second") << QByteArray("23:59:59") << QTime(23, 59, 59);
    }

    void strToTimeReadsTimes() {
        QFETCH(QByteArray, text);
        QFETCH(QTime, expected);
        const TDateTime value = StrToTime(text.toStdString());
        QCOMPARE(DecodeDateTime(value), QDateTime(QDate(1899, 12, 30), expected));
    }

    void strToTimeRejects_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("empty mask") << QByteArray("  :  ");
        QTest::newRow("minutes only") << QByteArray("  :30");
        QTest::newRow("hour and separator") << QByteArray("9:");
        QTest::newRow("seconds separator alone") << QByteArray("9:30:");
        QTest::newRow("hour 24") << QByteArray("24:00");
        QTest::newRow("catalogue example") << QByteArray("25:99");
        QTest::newRow("minute 60") << QByteArray("12:60");
        QTest::newRow("second 60") << QByteArray("12:30:60");
        QTest::newRow("three-digit hour") << QByteArray("012:30");
        QTest::newRow("no separator") << QByteArray("1930");
        QTest::newRow("suffix") << QByteArray("7:30 PM");
        QTest::newRow("trailing blank") << QByteArray("19:30 ");
        QTest::newRow("milliseconds") << QByteArray("19:30:00.000");
        QTest::newRow("date") << QByteArray("07/12/2026");
    }

    void strToTimeRejects() {
        QFETCH(QByteArray, text);
        try {
            StrToTime(text.toStdString());
            QFAIL("accepted");
        } catch (const EDateTimeError& e) {
            QCOMPARE(e.Message(), "'" + text.toStdString() + "' cannot be read as a time of day");
        }
    }

    void strToTimeMatchesTheClockToTheMillisecond() {
        SetClockTo(QDateTime(QDate(2026, 12, 7), QTime(19, 30)));
        QCOMPARE(StrToTime("19:30"), Time());
        SetClockTo(QDateTime(QDate(2026, 12, 7), QTime(19, 30, 0, 1)));
        QVERIFY(Time() > StrToTime("19:30"));
    }

    void dateTimeToStrShowsTheTimeOnlyWhenSet() {
        QCOMPARE(DateTimeToStr(46363.8125), AnsiString("07/12/2026 19:30:00"));
        QCOMPARE(DateTimeToStr(kClockDay), AnsiString("07/12/2026"));
        QCOMPARE(DateTimeToStr(Now()), AnsiString("07/12/2026 19:30:15"));
        QCOMPARE(DateToStr(46363.8125), AnsiString("07/12/2026"));
        QCOMPARE(DateToStr(StrToDate("5/1/9")), AnsiString("05/01/2009"));
    }

    void dateTimeToStrFollowsTheSettings() {
        DateTimeFormats().DatePattern = "d/m/yy";
        DateTimeFormats().DateSeparator = '.';
        DateTimeFormats().TimePattern = "h:nn:ss.zzz";
        DateTimeFormats().TimeSeparator = 'h';
        QCOMPARE(DateTimeToStr(Now()), AnsiString("7.12.26 19h30h15.250"));
        QCOMPARE(DateToStr(StrToDate("5.1.2009")), AnsiString("5.1.09"));
    }
};

QTEST_GUILESS_MAIN(DateTimeTests)

#include "test_datetime.moc"
