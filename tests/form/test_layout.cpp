#include "formfixture.h"

#include "framework/graphics.h"
#include "framework/sysutils.h"

#include <QDir>
#include <QImage>
#include <QTest>

namespace {

AnsiString latin1(const char* utf8) {
    return FromQString(QString::fromUtf8(utf8));
}

// The widget's index among its siblings: a higher one is drawn above a lower one.
int stackingIndex(const QWidget* widget) {
    return int(widget->parentWidget()->children().indexOf(const_cast<QWidget*>(widget)));
}

// Share of pixels whose colour differs clearly (anti-aliasing differs by a few levels).
double differingShare(const QImage& actual, const QImage& expected, QImage& diff) {
    diff = QImage(actual.size(), QImage::Format_RGB32);
    diff.fill(Qt::black);
    qint64 differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QColor a = actual.pixelColor(x, y);
            const QColor e = expected.pixelColor(x, y);
            const int distance = qMax(qAbs(a.red() - e.red()),
                                      qMax(qAbs(a.green() - e.green()), qAbs(a.blue() - e.blue())));
            if (distance > 40) {
                ++differing;
                diff.setPixelColor(x, y, Qt::red);
            }
        }
    }
    return double(differing) / double(actual.width() * actual.height());
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void theLetterKeysAreFoundByNameAndTypeTheirTags() {
        FormWatch watch;
        const auto form = OpenForm(1);
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            auto* key =
                qobject_cast<TBlendedButton*>(form->FindComponent(AnsiString("sbt") + letter));
            QVERIFY2(key != nullptr, &letter);
            QCOMPARE(key->Tag(), int(letter));
            QCOMPARE(key->size(), QSize(60, 51));
        }
    }

    void everyCharacterKeyTypesWhatItsTagSays_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QPoint>("position");
        const QString digits = QStringLiteral("1234567890");
        for (int column = 0; column < 10; ++column) {
            QTest::newRow(qPrintable(QStringLiteral("sbt") + digits[column]))
                << QStringLiteral("sbt") + digits[column] << int(digits[column].unicode())
                << QPoint(11 + 61 * column, 316);
        }
        const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; rows[row][column] != 0; ++column) {
                const QString name = QStringLiteral("sbt") + QChar(rows[row][column]);
                QTest::newRow(qPrintable(name))
                    << name << int(rows[row][column]) << QPoint(11 + 61 * column, 368 + 52 * row);
            }
        }
        QTest::newRow("sbtCCdil") << "sbtCCdil" << 231 << QPoint(560, 420);
        QTest::newRow("sbtVirgula") << "sbtVirgula" << 44 << QPoint(438, 472);
        QTest::newRow("sbtPonto") << "sbtPonto" << 46 << QPoint(499, 472);
        QTest::newRow("sbtBarra") << "sbtBarra" << 47 << QPoint(560, 472);
        QTest::newRow("sbtEspaco") << "sbtEspaco" << 32 << QPoint(194, 525);
    }

    void everyCharacterKeyTypesWhatItsTagSays() {
        QFETCH(QString, key);
        QFETCH(int, tag);
        QFETCH(QPoint, position);
        FormWatch watch;
        const auto form = OpenForm(1);
        form->sbtShift->Click();
        form->sbtCapsLock->Click();
        auto* button = form->findChild<TBlendedButton*>(key);
        QVERIFY(button != nullptr);
        QCOMPARE(button->Tag(), tag);
        QCOMPARE(button->pos(), position);
        Tap(*form, "x"); // the name is not empty, so a blank also shows
        button->Click();
        // With Caps Lock on, letters come in capitals and the cedilla key types "Ç".
        const AnsiString typed =
            tag == 231 ? AnsiString(1, char(0xC7)) : Sysutils::UpperCase(AnsiString(1, char(tag)));
        const AnsiString expected = AnsiString("X") + typed;
        QCOMPARE(form->lblNome->Caption(), expected);
    }

    void functionKeysAreWiredByName() {
        FormWatch watch;
        const ClockAt clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        watch.calendarAnswer = "24/12/2026";
        const auto form = OpenForm(1);
        form->show();
        Tap(*form, "Abc");
        form->findChild<TBlendedButton*>(QStringLiteral("sbtBackSpace"))->Click();
        QCOMPARE(form->lblNome->Caption(), AnsiString("Ab"));
        form->findChild<TBlendedButton*>(QStringLiteral("sbtLimpar"))->Click();
        QCOMPARE(form->lblNome->Caption(), AnsiString());
        form->findChild<TBlendedButton*>(QStringLiteral("sbtEnter"))->Click();
        QCOMPARE(watch.messages.size(), std::size_t(1));
        form->findChild<TBlendedButton*>(QStringLiteral("sbtCapsLock"))->Click();
        QCOMPARE(Caption(form->sbtQ), AnsiString("Q"));
        form->findChild<TBlendedButton*>(QStringLiteral("sbtShift"))->Click();
        QCOMPARE(Caption(form->sbtQ), AnsiString("q"));
        Tap(*form, "x");
        TapEnter(*form);
        form->findChild<TBlendedButton*>(QStringLiteral("sbtCalendario"))->Click();
        QCOMPARE(watch.calendarCalls, 1);
        form->findChild<TBlendedButton*>(QStringLiteral("sbtSair"))->Click();
        QVERIFY(!form->isVisible());
    }

    void keysShowThePressedAndDisabledColours() {
        FormWatch watch;
        const auto form = OpenForm(1);
        const QList<TBlendedButton*> keys = form->findChildren<TBlendedButton*>();
        QCOMPARE(keys.size(), 48);
        for (const TBlendedButton* key : keys) {
            const bool exitKey = key == form->sbtSair;
            QCOMPARE(key->property("DownColor").toUInt(), Graphics::clWindowText);
            QCOMPARE(key->property("DownFontColor").toUInt(), Graphics::clWindow);
            QCOMPARE(key->property("DisabledColor").toUInt(),
                     exitKey ? Graphics::clGray : Graphics::TColor(13421772));
            QCOMPARE(key->property("DisabledFontColor").toUInt(),
                     exitKey ? Graphics::clSilver : Graphics::clWhite);
        }
    }

    void noControlTakesFocus() {
        FormWatch watch;
        const auto form = OpenForm(1);
        QCOMPARE(form->focusPolicy(), Qt::NoFocus);
        const QList<QWidget*> controls = form->findChildren<QWidget*>();
        QVERIFY(controls.size() > 60);
        for (const QWidget* control : controls) {
            QVERIFY2(control->focusPolicy() == Qt::NoFocus, qPrintable(control->objectName()));
        }
    }

    void panelsLieBeneathWhatStandsOnThem() {
        FormWatch watch;
        const auto form = OpenForm(1);
        const QList<QWidget*> controls = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* panel : controls) {
            if (!panel->inherits("TBlendedShape") && !panel->inherits("Controls::TShape")) {
                continue;
            }
            for (const QWidget* control : controls) {
                const bool standsOnPanel = !control->inherits("TBlendedShape") &&
                                           !control->inherits("Controls::TShape") &&
                                           panel->geometry().intersects(control->geometry());
                if (standsOnPanel) {
                    QVERIFY2(stackingIndex(panel) < stackingIndex(control),
                             qPrintable(panel->objectName() + " over " + control->objectName()));
                }
            }
        }
    }

    void theCalendarButtonStartsDisabled() {
        FormWatch watch;
        const auto form = OpenForm(1);
        QVERIFY(!form->sbtCalendario->isEnabled());
        QCOMPARE(form->sbtCalendario->geometry(), QRect(191, 74, 60, 47));
        QCOMPARE(Caption(form->sbtCalendario), AnsiString("Alt+D"));
    }

    void captionsAreTheScreensLatin1Texts() {
        FormWatch watch;
        const auto form = OpenForm(1);
        QCOMPARE(form->lblCabec->Caption(), AnsiString("Dados da Reserva"));
        QCOMPARE(form->lblDsNrPesMesa->Caption(), AnsiString("N\xBA. Pessoas"));
        QCOMPARE(form->lblDsReserv->Caption(), AnsiString("Descri\xE7\xE3o"));
    }

    void statusRule_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("pending") << QByteArray("P") << QByteArray("Pendente");
        QTest::newRow("cancelled") << QByteArray("C") << QByteArray("Cancelada");
        QTest::newRow("used") << QByteArray("U") << QByteArray("Utilizada");
        QTest::newRow("lower case") << QByteArray("p") << QByteArray();
        QTest::newRow("unknown") << QByteArray("X") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void statusRule() {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, shown);
        FormWatch watch;
        ReservationRow row;
        row.status = status.toStdString();
        const auto form = OpenForm(1, {row});
        QCOMPARE(form->cdsReservaIDSTRESMESA->DisplayText(), shown.toStdString());
    }

    void theCatalogueFormatsItsPlaceholders() {
        FormWatch watch;
        const auto form = OpenForm(1);
        QCOMPARE(Sysutils::Format(form->msgPadrao->Msg("HORINV"), "25:99"),
                 latin1("25:99 não é uma hora válida."));
        QCOMPARE(form->msgPadrao->Msg("DTINV"),
                 AnsiString("Data da reserva n\xE3o pode ser menor que a data corrente."));
        QCOMPARE(form->msgPadrao->Lines().size(), std::size_t(24));
    }

    void reservationDataSetHasTheRecordLayout() {
        FormWatch watch;
        const auto form = OpenForm(1);
        const char* names[] = {"DSRESMESA",    "NRRESMESA",    "CDFILIAL",     "CDLOJA",
                               "DTRESMESA",    "HRINIRESMESA", "HRFINRESMESA", "NMRESMESA",
                               "NRTELRESMESA", "NRPESRESMESA", "IDSTRESMESA",  "CDOPERINCRES",
                               "DTHRINCLURES"};
        QCOMPARE(form->cdsReserva->FieldCount(), 13);
        for (int index = 0; index < 13; ++index) {
            QCOMPARE(form->cdsReserva->Fields(index)->FieldName(), AnsiString(names[index]));
        }
        QCOMPARE(form->cdsReservaHRINIRESMESA->EditMask(), AnsiString("99:99;0; "));
        QCOMPARE(form->cdsReservaNRRESMESA->DisplayLabel(), AnsiString("N\xBA Reserva"));
        QVERIFY(form->cdsReservaDSRESMESA->ReadOnly());
        QCOMPARE(form->cdsMesaDisp->IndexName(), AnsiString("cdsMesaDispIndex1"));
        QCOMPARE(form->dtsMesaRes->DataSet(), form->cdsMesaRes);
        QCOMPARE(form->dtsReserva->DataSet(), nullptr);
    }

    void theScreenLooksAsReviewed() {
        FormWatch watch;
        const auto form = OpenForm(1);
        const QImage actual = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected(QStringLiteral(REFERENCE_DIR "/screen-new.png"));
        const QString actualFile =
            QDir::current().filePath(QStringLiteral("screen-new.actual.png"));
        const QString diffFile = QDir::current().filePath(QStringLiteral("screen-new.diff.png"));
        if (expected.isNull() || actual.size() != expected.size()) {
            actual.save(actualFile);
            QFAIL(qPrintable(QStringLiteral("no reference picture of this size; actual saved to ") +
                             actualFile));
        }
        QImage diff;
        const double share =
            differingShare(actual, expected.convertToFormat(QImage::Format_RGB32), diff);
        if (share > 0.002) {
            actual.save(actualFile);
            diff.save(diffFile);
            QFAIL(qPrintable(QStringLiteral("%1% of the pixels differ; see %2 and %3")
                                 .arg(share * 100, 0, 'f', 2)
                                 .arg(actualFile, diffFile)));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
