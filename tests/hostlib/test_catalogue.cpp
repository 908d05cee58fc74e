#include "framework/sysutils.h"
#include "hostlib/hostlib.h"

#include <QTest>

class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void msgFindsTheFirstExactKey_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first line with the key wins") << "Pen"
                                                      << "Pendente";
        QTest::newRow("only the first bar splits") << "Can"
                                                   << "Cancelada|x";
        QTest::newRow("a shorter key is not a prefix match") << "Ca"
                                                             << "curto";
        QTest::newRow("missing key") << "Cancel"
                                     << "";
        QTest::newRow("keys are case sensitive") << "pen"
                                                 << "";
        QTest::newRow("a line without a bar has no key") << "semBarra"
                                                         << "";
        QTest::newRow("empty text") << "Vaz"
                                    << "";
    }
    void msgFindsTheFirstExactKey() {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TMessages messages;
        messages.SetLines(
            {"Pen|Pendente", "Can|Cancelada|x", "Pen|Outra", "Ca|curto", "semBarra", "Vaz|"});
        QCOMPARE(messages.Lines().size(), std::size_t{6});
        QCOMPARE(QString::fromStdString(messages.Msg(key.toStdString())), expected);
    }

    void loadSplitsLatin1Lines() {
        TMessages messages;
        messages.LoadFromLatin1("Res|Reserva n\xE3o encontrada\r\nPen|Pendente\nUlt|fim\r\n");
        const std::vector<AnsiString> expected{"Res|Reserva n\xE3o encontrada", "Pen|Pendente",
                                               "Ult|fim"};
        QVERIFY(messages.Lines() == expected);
        QCOMPARE(messages.Msg("Res"), AnsiString("Reserva n\xE3o encontrada"));
        QCOMPARE(ToQString(messages.Msg("Res")), QStringLiteral(u"Reserva n\u00E3o encontrada"));

        messages.LoadFromLatin1("A|1\nB|2");
        QCOMPARE(messages.Msg("B"), AnsiString("2"));
        messages.LoadFromLatin1({});
        QVERIFY(messages.Lines().empty());
    }

    void aCatalogueResourceThatCannotBeReadIsAnError() {
        AnsiString error;
        try {
            TextCatalogue::FromResource(QStringLiteral(":/hostlib/texts/missing.txt"));
        } catch (const Sysutils::Exception& raised) {
            error = raised.Message();
        }
        QVERIFY2(error.find(":/hostlib/texts/missing.txt") != AnsiString::npos, error.c_str());
        const TextCatalogue host =
            TextCatalogue::FromResource(QStringLiteral(":/hostlib/texts/hostlib.txt"));
        QVERIFY(!host.Lines().empty());
    }

    void emptyStringCountsBlanksAsEmpty_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("empty");
        QTest::newRow("nothing") << QByteArray() << true;
        QTest::newRow("spaces") << QByteArray("   ") << true;
        QTest::newRow("tab and spaces") << QByteArray(" \t ") << true;
        QTest::newRow("a letter") << QByteArray("a") << false;
        QTest::newRow("a letter among blanks") << QByteArray("  x ") << false;
        QTest::newRow("a Latin-1 letter") << QByteArray("\xE7") << false;
    }
    void emptyStringCountsBlanksAsEmpty() {
        QFETCH(QByteArray, text);
        QFETCH(bool, empty);
        QCOMPARE(EmptyString(text.toStdString()), empty);
    }
};

QTEST_MAIN(CatalogueTest)

#include "test_catalogue.moc"
