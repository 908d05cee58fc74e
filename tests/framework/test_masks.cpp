#include "ansistring_printer.h"

#include "framework/datetime.h"
#include "framework/maskutils.h"

#include <QTest>

using Maskutils::FormatMaskText;

class MaskTests : public QObject {
    Q_OBJECT

    Sysutils::TDateTimeFormats savedSettings;

private slots:
    void init() { savedSettings = Sysutils::DateTimeFormats(); }
    void cleanup() { Sysutils::DateTimeFormats() = savedSettings; }

    void placesValueIntoMask_data() {
        QTest::addColumn<QByteArray>("mask");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("time, 3 digits")
            << QByteArray("!99:99;0") << QByteArray("930") << QByteArray(" 9:30");
        QTest::newRow("time, 1 digit")
            << QByteArray("!99:99;0") << QByteArray("1") << QByteArray("  : 1");
        QTest::newRow("time, 2 digits")
            << QByteArray("!99:99;0") << QByteArray("12") << QByteArray("  :12");
        QTest::newRow("time, full")
            << QByteArray("!99:99;0") << QByteArray("1930") << QByteArray("19:30");
        QTest::newRow("time, empty")
            << QByteArray("!99:99;0") << QByteArray() << QByteArray("  :  ");
        QTest::newRow("time, one too many")
            << QByteArray("!99:99;0") << QByteArray("19305") << QByteArray("19:305");
        QTest::newRow("phone, 3 digits")
            << QByteArray("(99) 9999-9999;0") << QByteArray("119") << QByteArray("(11) 9   -    ");
        QTest::newRow("phone, full") << QByteArray("(99) 9999-9999;0") << QByteArray("1133334444")
                                     << QByteArray("(11) 3333-4444");
        QTest::newRow("phone, 11 digits")
            << QByteArray("(99) 9999-9999;0") << QByteArray("11999998888")
            << QByteArray("(11) 9999-98888");
        QTest::newRow("mobile mask") << QByteArray("(99) 99999-9999;0") << QByteArray("11999998888")
                                     << QByteArray("(11) 99999-8888");
        QTest::newRow("phone, empty")
            << QByteArray("(99) 9999-9999;0") << QByteArray() << QByteArray("(  )     -    ");
        QTest::newRow("explicit blank")
            << QByteArray("99:99;0; ") << QByteArray("1930") << QByteArray("19:30");
        QTest::newRow("other blank")
            << QByteArray("99:99;0;_") << QByteArray("1") << QByteArray("1_:__");
        QTest::newRow("empty blank field")
            << QByteArray("99:99;0;") << QByteArray("1") << QByteArray("1 :  ");
        QTest::newRow("no fields")
            << QByteArray("99-99") << QByteArray("123") << QByteArray("12-3 ");
        QTest::newRow("escaped characters")
            << QByteArray("\\9\\;99\\!;0") << QByteArray("12") << QByteArray("9;12!");
        QTest::newRow("other input characters")
            << QByteArray("0#LlAaCc;0") << QByteArray("ab") << QByteArray("ab      ");
        QTest::newRow("nothing is checked")
            << QByteArray("!99:99;0") << QByteArray("ab%") << QByteArray(" a:b%");
        QTest::newRow("date separator")
            << QByteArray("99/99/9999;0") << QByteArray("07122026") << QByteArray("07/12/2026");
    }

    void placesValueIntoMask() {
        QFETCH(QByteArray, mask);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(FormatMaskText(mask.toStdString(), value.toStdString()), expected.toStdString());
    }

    void separatorsComeFromTheSettings() {
        Sysutils::DateTimeFormats().TimeSeparator = '.';
        Sysutils::DateTimeFormats().DateSeparator = '-';
        QCOMPARE(FormatMaskText("!99:99;0", "930"), AnsiString(" 9.30"));
        QCOMPARE(FormatMaskText("99/99;0", "0712"), AnsiString("07-12"));
        QCOMPARE(FormatMaskText("99\\:99;0", "1930"), AnsiString("19:30"));
    }
};

QTEST_GUILESS_MAIN(MaskTests)

#include "test_masks.moc"
