#include "../support/endmodal.h"
#include "../support/screenwindow.h"
#include "hostlib/hostlib.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// What the test saw of the message dialog while it was open.
struct SeenDialog {
    bool Opened = false;
    QString Text;
    QColor TextColor;
    QColor FrameColor;
    QRect Geometry;
    QSize KeySize;
    QString KeyCaption;
    bool StillOpenAfterOtherKey = false;
    bool ClosedByAct = false;
};

constexpr int tapOk = 0;
constexpr int leaveOpen = -1;

// Once the event loop runs (inside the dialog's own loop when one opens), records the modal
// dialog and closes it with closeKey or a tap on OK. A dialog still open then is closed all the
// same, so that a fault fails the test instead of hanging it, unless it is left to close itself.
void inspectDialog(SeenDialog& seen, int closeKey = Qt::Key_Escape) {
    QTimer::singleShot(0, [&seen, closeKey] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            return;
        }
        seen.Opened = true;
        const auto* text = dialog->findChild<QLabel*>(QStringLiteral("text"));
        seen.Text = text->text();
        seen.TextColor = text->palette().color(QPalette::WindowText);
        seen.FrameColor = dialog->grab().toImage().pixelColor(1, 1);
        seen.Geometry = dialog->frameGeometry();
        auto* key = dialog->findChild<TBlendedButton*>(QStringLiteral("okKey"));
        seen.KeySize = key->size();
        seen.KeyCaption = key->text();
        QTest::keyClick(dialog, Qt::Key_A);
        seen.StillOpenAfterOtherKey = dialog->isVisible();
        if (closeKey == tapOk) {
            QTest::mouseClick(key, Qt::LeftButton);
        } else if (closeKey != leaveOpen) {
            QTest::keyClick(dialog, Qt::Key(closeKey));
        }
        seen.ClosedByAct = !dialog->isVisible();
        if (!seen.ClosedByAct && closeKey != leaveOpen) {
            dialog->close();
        }
    });
}

void show(const AnsiString& text, const AnsiString& scheme = {}, TTipoMsg kind = tmNotice,
          const AnsiString& centreOnScreen = "N") {
    Mensagem(text, "", "N", centreOnScreen, kind, "", scheme, 0, nullptr);
}

} // namespace

class MensagemTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetMensagemObserver({}); }

    void observerSeesTheNineArgumentsAndAnswers() {
        std::vector<MensagemCall> calls;
        SetMensagemObserver([&calls](const MensagemCall& call) {
            calls.push_back(call);
            return true;
        });
        auto* dataSet = reinterpret_cast<Dbclient::TClientDataSet*>(&calls);
        SeenDialog seen;
        inspectDialog(seen);
        Mensagem("Hora inv\xE1lida", "titulo", "S", "N", tmNotice, "detalhe", "2", 7, dataSet);
        QCoreApplication::processEvents();

        QVERIFY(!seen.Opened);
        QCOMPARE(calls.size(), std::size_t{1});
        const MensagemCall& call = calls.front();
        QCOMPARE(call.Text, AnsiString("Hora inv\xE1lida"));
        QCOMPARE(call.Title, AnsiString("titulo"));
        QCOMPARE(call.Beep, AnsiString("S"));
        QCOMPARE(call.CentreOnScreen, AnsiString("N"));
        QCOMPARE(call.Kind, tmNotice);
        QCOMPARE(call.Detail, AnsiString("detalhe"));
        QCOMPARE(call.SchemeId, AnsiString("2"));
        QCOMPARE(call.AutoCloseSeconds, 7);
        QCOMPARE(call.DataSet, dataSet);
    }

    void observerThatDeclinesStillShowsTheDialog() {
        int calls = 0;
        SetMensagemObserver([&calls](const MensagemCall&) {
            ++calls;
            return false;
        });
        SeenDialog seen;
        inspectDialog(seen, Qt::Key_Return);
        show("aviso");
        QCOMPARE(calls, 1);
        QVERIFY(seen.Opened);
    }

    void dialogShowsTheTextAndClosesOnItsKeys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("tap on OK") << tapOk;
    }
    void dialogShowsTheTextAndClosesOnItsKeys() {
        QFETCH(int, key);
        SeenDialog seen;
        inspectDialog(seen, key);
        show("Data n\xE3o pode ser menor que hoje");

        QVERIFY(seen.Opened);
        QVERIFY(seen.StillOpenAfterOtherKey);
        QVERIFY(seen.ClosedByAct);
        QCOMPARE(seen.Text, QStringLiteral(u"Data n\u00E3o pode ser menor que hoje"));
        QCOMPARE(seen.KeyCaption, QStringLiteral("OK"));
        QVERIFY(seen.KeySize.width() >= 120 && seen.KeySize.height() >= 60);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void schemeAndKindPickTheColours_data() {
        QTest::addColumn<QByteArray>("scheme");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("frame");
        const QColor orange(204, 91, 44);
        QTest::newRow("no scheme") << QByteArray() << int(tmNotice) << QColor(Qt::white) << orange;
        QTest::newRow("unknown scheme")
            << QByteArray("9") << int(tmNotice) << QColor(Qt::white) << orange;
        QTest::newRow("light") << QByteArray("2") << int(tmNotice) << QColor(Qt::black)
                               << QColor(0, 0, 128);
        QTest::newRow("error") << QByteArray() << int(tmError) << QColor(Qt::white)
                               << QColor(Qt::red);
    }
    void schemeAndKindPickTheColours() {
        QFETCH(QByteArray, scheme);
        QFETCH(int, kind);
        QFETCH(QColor, text);
        QFETCH(QColor, frame);
        SeenDialog seen;
        inspectDialog(seen);
        show("x", scheme.toStdString(), TTipoMsg(kind));
        QCOMPARE(seen.TextColor, text);
        QCOMPARE(seen.FrameColor, frame);
    }

    void dialogIsCentredOverTheActiveWindowOrTheScreenInItsOwnColours() {
        QWidget window;
        window.setStyleSheet(QStringLiteral("QWidget { background: black; color: red; }"));
        window.setGeometry(40, 60, 700, 500);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        SeenDialog overWindow;
        inspectDialog(overWindow);
        show("x");
        QCOMPARE(overWindow.TextColor, QColor(Qt::white));
        QVERIFY(
            (overWindow.Geometry.center() - window.frameGeometry().center()).manhattanLength() <=
            2);

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        SeenDialog onScreen;
        inspectDialog(onScreen);
        show("x", {}, tmNotice, "S");
        const QPoint screenCentre = window.screen()->availableGeometry().center();
        QVERIFY((onScreen.Geometry.center() - screenCentre).manhattanLength() <= 2);
    }

    // Width, type and key grow with the screen the message shows on, as drawn at 1024x768; a
    // long text wraps whole, the dialog widening as far as the screen for a text too tall or a
    // word too wide, and stays on the screen.
    void dialogGrowsWithTheScreenAndShowsLongTextsWhole_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("sentences");
        QTest::addColumn<int>("width");
        QTest::addColumn<QSize>("key");
        QTest::newRow("1024x768") << QSize(1024, 768) << 0 << 480 << QSize(160, 64);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 0 << 675 << QSize(225, 90);
        QTest::newRow("1024x768, long") << QSize(1024, 768) << 30 << 0 << QSize(160, 64);
        QTest::newRow("1920x1080, long") << QSize(1920, 1080) << 30 << 0 << QSize(225, 90);
    }
    void dialogGrowsWithTheScreenAndShowsLongTextsWhole() {
        QFETCH(QSize, screen);
        QFETCH(int, sentences);
        QFETCH(int, width);
        QFETCH(QSize, key);
        const std::unique_ptr<QWidget> window = WindowCovering(screen);
        QVERIFY(window != nullptr);
        QString text =
            sentences == 0
                ? QStringLiteral("Reserva gravada.")
                : QStringLiteral("O banco /var/lib/reservas-terminal/filial-0001/mesas.db:");
        for (int sentence = 0; sentence < sentences; ++sentence) {
            text += QStringLiteral(" a pasta est\u00E1 cheia ou protegida contra escrita.");
        }
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            const EndModalOnExit end(dialog);
            opened = true;
            const auto* label = dialog->findChild<QLabel*>(QStringLiteral("text"));
            QVERIFY(width == 0 || dialog->width() == width);
            QCOMPARE(dialog->findChild<TBlendedButton*>(QStringLiteral("okKey"))->size(), key);
            QVERIFY(window->screen()->availableGeometry().contains(dialog->frameGeometry()));
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
            for (const QString& word : label->text().split(QLatin1Char(' '))) {
                QVERIFY(QFontMetrics(label->font()).horizontalAdvance(word) <= label->width());
            }
        });
        show(FromQString(text));
        QVERIFY(opened);
    }

    void autoCloseEndsTheMessageByItself() {
        SeenDialog seen;
        inspectDialog(seen, leaveOpen);
        Mensagem("x", "", "N", "N", tmNotice, "", "", 1, nullptr);
        QVERIFY(seen.Opened);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(MensagemTest)

#include "test_mensagem.moc"
