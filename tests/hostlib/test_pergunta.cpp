#include "../support/endmodal.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/pergunta.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <optional>

namespace {

// What the test saw of the question while it was open.
struct SeenQuestion {
    bool Opened = false;
    QString Text;
    QString Yes;
    QString No;
    bool LeftOpen = false;
};

// Once the question shows, records it and does the step: "yesKey" or "noKey" taps that key,
// "Return", "Enter" or "Escape" presses that key, "heldReturn" sends an auto-repeated Return. A
// question the step leaves open is closed as "Não", so a fault fails the test, never hangs it.
bool ask(const AnsiString& text, const QString& step, SeenQuestion& seen) {
    QTimer::singleShot(0, [&seen, step] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        const EndModalOnExit end(dialog);
        seen.Opened = true;
        seen.Text = dialog->findChild<QLabel*>(QStringLiteral("text"))->text();
        auto* yes = dialog->findChild<TBlendedButton*>(QStringLiteral("yesKey"));
        auto* no = dialog->findChild<TBlendedButton*>(QStringLiteral("noKey"));
        QVERIFY(yes != nullptr && no != nullptr);
        seen.Yes = yes->text();
        seen.No = no->text();
        if (step == QLatin1String("yesKey")) {
            QTest::mouseClick(yes, Qt::LeftButton);
        } else if (step == QLatin1String("noKey")) {
            QTest::mouseClick(no, Qt::LeftButton);
        } else if (step == QLatin1String("heldReturn")) {
            QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(dialog, &held);
        } else {
            const Qt::Key key = step == QLatin1String("Return")  ? Qt::Key_Return
                                : step == QLatin1String("Enter") ? Qt::Key_Enter
                                                                 : Qt::Key_Escape;
            QTest::keyClick(dialog, key);
        }
        seen.LeftOpen = dialog->isVisible();
    });
    return Pergunta(text, "");
}

} // namespace

class PerguntaTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetPerguntaObserver({}); }

    void keysAnswerTheQuestion_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("leftOpen");
        QTest::newRow("tap on the yes key") << "yesKey" << true << false;
        QTest::newRow("tap on the no key") << "noKey" << false << false;
        QTest::newRow("Return") << "Return" << true << false;
        QTest::newRow("keypad Enter") << "Enter" << true << false;
        QTest::newRow("Esc") << "Escape" << false << false;
        QTest::newRow("Return held from before") << "heldReturn" << false << true;
    }
    void keysAnswerTheQuestion() {
        QFETCH(QString, step);
        QFETCH(bool, answer);
        QFETCH(bool, leftOpen);
        SeenQuestion seen;
        QCOMPARE(ask("Gravar sem mesa? N\xE3o h\xE1 lugares.", step, seen), answer);
        QVERIFY(seen.Opened);
        QCOMPARE(seen.LeftOpen, leftOpen);
        QCOMPARE(seen.Text, QStringLiteral(u"Gravar sem mesa? N\u00E3o h\u00E1 lugares."));
        QCOMPARE(seen.Yes, QStringLiteral("Sim"));
        QCOMPARE(seen.No, QStringLiteral(u"N\u00E3o"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void observerAnswersWithoutADialog_data() {
        QTest::addColumn<int>("given"); // -1: no answer
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("yes") << 1 << true << false;
        QTest::newRow("no") << 0 << false << false;
        QTest::newRow("no answer shows the question") << -1 << false << true;
    }
    void observerAnswersWithoutADialog() {
        QFETCH(int, given);
        QFETCH(bool, answer);
        QFETCH(bool, opened);
        std::vector<AnsiString> asked;
        SetPerguntaObserver([&asked, given](const AnsiString& text) -> std::optional<bool> {
            asked.push_back(text);
            if (given < 0) {
                return std::nullopt;
            }
            return given == 1;
        });
        SeenQuestion seen;
        QCOMPARE(ask("Confirmar?", "Escape", seen), answer);
        QCoreApplication::processEvents();
        QCOMPARE(seen.Opened, opened);
        QCOMPARE(asked, std::vector<AnsiString>{"Confirmar?"});
    }
};

QTEST_MAIN(PerguntaTest)

#include "test_pergunta.moc"
