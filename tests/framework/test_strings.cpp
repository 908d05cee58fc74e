#include "framework/ansistring.h"
#include "framework/sysutils.h"

#include "ansistring_printer.h"

#include <QTest>

using namespace Sysutils;

class StringTests : public QObject {
    Q_OBJECT

private slots:
    void latin1CrossesToQtAndBack() {
        QCOMPARE(ToQString("S\xE3o"), QStringLiteral("S\u00E3o"));
        QCOMPARE(FromQString(QStringLiteral("S\u00E3o")), AnsiString("S\xE3o"));

        AnsiString everyByte;
        for (int b = 1; b < 256; ++b) {
            everyByte += static_cast<char>(b);
        }
        QCOMPARE(FromQString(ToQString(everyByte)), everyByte);
    }

    void charactersLatin1CannotHoldAreDropped() {
        QCOMPARE(FromQString(QStringLiteral("a\u20ACb\u0100c")), AnsiString("abc"));
        QCOMPARE(FromQString(QString::fromUtf8("x\xF0\x9F\x98\x80y")), AnsiString("xy"));
    }

    // What a message quotes keeps every character: Latin-1 as it is, the rest as code points.
    void messagesEscapeWhatLatin1CannotHold_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<AnsiString>("escaped");
        QTest::newRow("Latin-1") << QStringLiteral("S\u00E3o 1:4") << AnsiString("S\xE3o 1:4");
        QTest::newRow("Arabic digits")
            << QStringLiteral("\u0661:\u0664") << AnsiString("U+0661:U+0664");
        QTest::newRow("the euro sign") << QStringLiteral("a\u20ACb") << AnsiString("aU+20ACb");
        QTest::newRow("beyond 16 bits")
            << QString::fromUtf8("x\xF0\x9F\x98\x80y") << AnsiString("xU+1F600y");
    }
    void messagesEscapeWhatLatin1CannotHold() {
        QFETCH(QString, text);
        QTEST(FromQStringEscaped(text), "escaped");
    }

    void caseChangesOnlyAsciiLetters() {
        QCOMPARE(UpperCase("jo\xE3o \xE7\xC7 az,./09"), AnsiString("JO\xE3O \xE7\xC7 AZ,./09"));
        QCOMPARE(LowerCase("JO\xC3O \xE7\xC7 AZ,./09"), AnsiString("jo\xC3o \xE7\xC7 az,./09"));

        for (int b = 0; b < 256; ++b) {
            const AnsiString one(1, static_cast<char>(b));
            const bool lower = b >= 'a' && b <= 'z';
            const bool upper = b >= 'A' && b <= 'Z';
            QCOMPARE(UpperCase(one), lower ? AnsiString(1, static_cast<char>(b - 32)) : one);
            QCOMPARE(LowerCase(one), upper ? AnsiString(1, static_cast<char>(b + 32)) : one);
        }
    }

    void formatPlacesTheArgumentLiterally_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArray>("argument");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("catalogue text")
            << QByteArray("%s n\xE3o \xE9 uma hora v\xE1lida.") << QByteArray("25:99")
            << QByteArray("25:99 n\xE3o \xE9 uma hora v\xE1lida.");
        QTest::newRow("argument holding %s")
            << QByteArray("[%s]") << QByteArray("%s and %%") << QByteArray("[%s and %%]");
        QTest::newRow("percent escape")
            << QByteArray("100%% of %s") << QByteArray("x") << QByteArray("100% of x");
        QTest::newRow("only the first %s")
            << QByteArray("%s/%s") << QByteArray("a") << QByteArray("a/%s");
        QTest::newRow("no placeholder")
            << QByteArray("plain") << QByteArray("a") << QByteArray("plain");
        QTest::newRow("empty argument") << QByteArray("<%s>") << QByteArray() << QByteArray("<>");
        QTest::newRow("trailing percent")
            << QByteArray("50%") << QByteArray("a") << QByteArray("50%");
    }

    void formatPlacesTheArgumentLiterally() {
        QFETCH(QByteArray, format);
        QFETCH(QByteArray, argument);
        QFETCH(QByteArray, expected);
        QCOMPARE(Format(format.toStdString(), argument.toStdString()), expected.toStdString());
    }

    void abortIsAnExceptionWithoutMessage() {
        try {
            Abort();
        } catch (const Exception& e) {
            QVERIFY(dynamic_cast<const EAbort*>(&e) != nullptr);
            QVERIFY(e.Message().empty());
            return;
        }
        QFAIL("Abort did not throw");
    }

    void exceptionCarriesItsMessage() {
        const EDateTimeError error("'x' cannot be read as a date");
        QCOMPARE(error.Message(), AnsiString("'x' cannot be read as a date"));
        QCOMPARE(QByteArray(error.what()), QByteArray("'x' cannot be read as a date"));
    }
};

QTEST_GUILESS_MAIN(StringTests)

#include "test_strings.moc"
