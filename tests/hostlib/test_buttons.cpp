#include "framework/sysutils.h"
#include "hostlib/hostlib.h"
#include "pictures.h"

#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <stdexcept>

namespace {

// Counts OnClick runs and remembers the sender of the last one.
struct ClickLog {
    int Count = 0;
    QObject* Sender = nullptr;

    Forms::TNotifyEvent Handler() {
        return [this](QObject* sender) {
            ++Count;
            Sender = sender;
        };
    }
};

} // namespace

class ButtonTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Forms::SetExceptionHandler({}); }

    void keysNeverTakeTheFocus() {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* key = new TBlendedButton(&window);
        auto* bitKey = new TBlendedBitBtn(&window);
        key->setGeometry(0, 40, 60, 50);
        bitKey->setGeometry(70, 40, 60, 50);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTest::mouseClick(key, Qt::LeftButton);
        QTest::mouseClick(bitKey, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), edit);
    }

    void tapAndClickRunOnClickOnceWithTheKeyAsSender_data() {
        QTest::addColumn<bool>("tap");
        QTest::newRow("tap") << true;
        QTest::newRow("Click()") << false;
    }
    void tapAndClickRunOnClickOnceWithTheKeyAsSender() {
        QFETCH(bool, tap);
        TBlendedBitBtn key;
        key.resize(60, 50);
        ClickLog log;
        key.OnClick = log.Handler();
        if (tap) {
            QTest::mouseClick(&key, Qt::LeftButton);
        } else {
            key.Click();
        }
        QCOMPARE(log.Count, 1);
        QCOMPARE(log.Sender, &key);
    }

    void disabledKeyIgnoresTapsAndClick() {
        TBlendedButton key;
        key.resize(60, 50);
        ClickLog log;
        key.OnClick = log.Handler();
        key.setEnabled(false);
        QTest::mouseClick(&key, Qt::LeftButton);
        key.Click();
        QCOMPARE(log.Count, 0);
        key.setEnabled(true);
        key.Click();
        QCOMPARE(log.Count, 1);
    }

    void handlerErrorsGoToTheFrameworkAndAbortIsSilent() {
        std::vector<AnsiString> shown;
        Forms::SetExceptionHandler([&shown](const AnsiString& message, const AnsiString& detail) {
            shown.push_back(message.empty() ? detail : message);
        });
        TBlendedButton key;
        key.resize(60, 50);
        key.OnClick = [](QObject*) { throw Sysutils::Exception("Hora inv\xE1lida"); };
        QTest::mouseClick(&key, Qt::LeftButton);
        key.OnClick = [](QObject*) { throw std::runtime_error("disk"); };
        key.Click();
        key.OnClick = [](QObject*) { Sysutils::Abort(); };
        QTest::mouseClick(&key, Qt::LeftButton);
        key.Click();
        QVERIFY(shown == std::vector<AnsiString>({"Hora inv\xE1lida", "disk"}));
        QVERIFY(!key.isDown());
    }

    void heldKeyRepeatsOnlyWithAutoRepeat() {
        TBlendedButton key;
        key.resize(60, 50);
        ClickLog log;
        key.OnClick = log.Handler();
        QTest::mousePress(&key, Qt::LeftButton);
        // The holding is what is tested: past the repeat delay (500 ms) and three intervals, a
        // key without AutoRepeat still has not fired.
        QTest::qWait(800);
        QCOMPARE(log.Count, 0);
        QTest::mouseRelease(&key, Qt::LeftButton);
        QCOMPARE(log.Count, 1);

        key.setAutoRepeat(true);
        log.Count = 0;
        QTest::mousePress(&key, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(log.Count >= 3, 10000);
        QTest::mouseRelease(&key, Qt::LeftButton);
    }

    void faceAndCaptionFollowTheState() {
        TBlendedButton key;
        key.resize(80, 60);
        key.SetCaption("W");
        key.SetFontHeight(40);
        key.SetFontBold(true);
        key.SetBrushColor(0x808080);
        key.SetFontColor(Graphics::clWhite);
        key.SetDownColor(Graphics::clBlack);
        key.SetDownFontColor(0x00FFFF);
        key.SetDisabledColor(0xCCCCCC);
        key.SetDisabledFontColor(Graphics::clRed);
        const auto faceAt = [&key] { return key.grab().toImage().pixelColor(4, 30); };

        QCOMPARE(faceAt(), QColor(128, 128, 128));
        QVERIFY(areaOf(key, Qt::white).isValid());
        key.setDown(true);
        QCOMPARE(faceAt(), QColor(Qt::black));
        QVERIFY(areaOf(key, Qt::yellow).isValid());
        key.setDown(false);
        key.setEnabled(false);
        QCOMPARE(faceAt(), QColor(204, 204, 204));
        QVERIFY(areaOf(key, Qt::red).isValid());
    }

    // Faces are copied from corners drawn before: each must still be, pixel for pixel, the
    // smoothed rounded rectangle drawn in place, whatever size and colour came before it.
    void faceIsTheSmoothedRoundedRectangle_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<unsigned>("colour");
        QTest::newRow("letter key") << QSize(60, 51) << 0x808080u;
        QTest::newRow("same size, other colour") << QSize(60, 51) << 0x2C5BF0u;
        QTest::newRow("tall") << QSize(91, 205) << 0x808080u;
        QTest::newRow("smallest copied") << QSize(16, 16) << 0xFFFFFFu;
        QTest::newRow("too narrow to copy") << QSize(15, 40) << 0x808080u;
    }

    void faceIsTheSmoothedRoundedRectangle() {
        QFETCH(QSize, size);
        QFETCH(unsigned, colour);
        TBlendedButton key;
        key.resize(size);
        key.SetBrushColor(colour);
        const QImage face = key.grab().toImage();

        QImage expected(face.size(), face.format());
        expected.fill(key.palette().color(QPalette::Window));
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Graphics::ToQColor(colour));
        painter.drawRoundedRect(QRectF(QPointF(0, 0), size), 8, 8);
        painter.end();
        QCOMPARE(face, expected);
    }

    void layoutSetsEveryPropertyByName() {
        TBlendedBitBtn key;
        const std::vector<std::pair<const char*, QVariant>> properties{
            {"Caption", QStringLiteral(u"\u00E7")},
            {"Tag", 231},
            {"FontName", QStringLiteral("Tahoma")},
            {"FontHeight", 21},
            {"FontBold", true},
            {"FontColor", 0xFFFFFFu},
            {"BrushColor", 0x808080u},
            {"PenVisible", true},
            {"PenColor", 0xC0C0C0u},
            {"PenWidth", 2},
            {"Rounded", false},
            {"DownColor", 0x80000008u},
            {"DownFontColor", 0x80000005u},
            {"DisabledColor", 13421772u},
            {"DisabledFontColor", 0xFFFFFFu},
            {"Glyph", QStringLiteral(":/keys/calendar.png")},
            {"GlyphDisabled", QStringLiteral(":/keys/calendar-disabled.png")},
            {"autoRepeat", true},
            {"enabled", false},
        };
        for (const auto& [name, value] : properties) {
            QVERIFY2(key.setProperty(name, value), name);
            QVERIFY2(key.property(name) == value, name);
        }
        QCOMPARE(key.Caption(), AnsiString("\xE7"));
        QCOMPARE(key.font().family(), QStringLiteral("Tahoma"));
        // A layout file writes colours as plain numbers.
        QVERIFY(key.setProperty("BrushColor", 4210752));
        QCOMPARE(key.BrushColor(), Graphics::TColor(0x404040));
    }
};

QTEST_MAIN(ButtonTest)

#include "test_buttons.moc"
