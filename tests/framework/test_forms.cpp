#include "../support/endmodal.h"
#include "framework/data/db.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/screen.h"
#include "framework/sysutils.h"
#include "framework/windowmessages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>

using Forms::TCloseAction;
using Forms::TForm;

namespace {

QKeyEvent keyPress(int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    return QKeyEvent(QEvent::KeyPress, key, modifiers, text);
}

} // namespace

class FormsTest : public QObject {
    Q_OBJECT

    std::vector<AnsiString> shownErrors;
    std::vector<AnsiString> shownDetails;

private slots:
    void init() {
        shownErrors.clear();
        shownDetails.clear();
        Forms::SetExceptionHandler([this](const AnsiString& message, const AnsiString& detail) {
            shownErrors.push_back(message);
            shownDetails.push_back(detail);
        });
    }
    void cleanup() { Forms::SetExceptionHandler({}); }

    // Only the system's own errors speak to the operator; the framework's and the C++ library's
    // own words, and a driver's, are detail for the administrator.
    void guardDropsAbortAndReportsOtherErrors() {
        Forms::HandleEvent([] { Sysutils::Abort(); });
        QVERIFY(shownErrors.empty());
        Forms::HandleEvent(
            [] { throw Sysutils::EDateTimeError("'25:99' cannot be read as a time of day"); });
        Forms::HandleEvent([] { throw std::runtime_error("disk full"); });
        Forms::HandleEvent([] { throw 42; });
        Forms::HandleEvent(
            [] { throw Sysutils::Exception("Banco fora do ar.", "[08006] connection lost"); });
        Forms::HandleEvent(
            [] { throw Db::EDatabaseError("cdsReserva: field NMRESMESA not found"); });
        const std::vector<AnsiString> messages{"", "", "", "Banco fora do ar.", ""};
        const std::vector<AnsiString> details{"'25:99' cannot be read as a time of day",
                                              "disk full", "an error that gives no description",
                                              "[08006] connection lost",
                                              "cdsReserva: field NMRESMESA not found"};
        QCOMPARE(shownErrors, messages);
        QCOMPARE(shownDetails, details);
        QCOMPARE(Forms::HandlerDepth(), 0);
    }

    void closeTakesEffectOnlyAfterTheHandlerReturns() {
        TForm form;
        int closeEvents = 0;
        bool visibleWhileHandlerRan = false;
        form.OnClose = [&](QObject*, TCloseAction&) { ++closeEvents; };
        QTimer::singleShot(0, &form, [&] {
            const EndModalOnExit end(&form);
            Forms::HandleEvent([&] {
                form.Close();
                visibleWhileHandlerRan = form.isVisible() && closeEvents == 0;
            });
        });
        form.ShowModal();
        QVERIFY(visibleWhileHandlerRan);
        QCOMPARE(closeEvents, 1);
        QVERIFY(!form.isVisible());
    }

    void aWithdrawnCloseKeepsTheFormShown() {
        TForm form;
        bool stillShown = false;
        QTimer::singleShot(0, &form, [&] {
            const EndModalOnExit end(&form);
            Forms::HandleEvent([&] {
                form.Close();
                form.CancelClose();
            });
            stillShown = form.isVisible();
            Forms::HandleEvent([&] { form.Close(); });
        });
        form.ShowModal();
        QVERIFY(stillShown);
    }

    void closeHandlerCanRefuse() {
        TForm form;
        int attempts = 0;
        form.OnClose = [&](QObject*, TCloseAction& action) {
            if (++attempts == 1) {
                action = TCloseAction::caNone;
            }
        };
        QTimer::singleShot(0, &form, [&] {
            const EndModalOnExit end(&form);
            Forms::HandleEvent([&] { form.Close(); });
            QVERIFY(form.isVisible());
            Forms::HandleEvent([&] { form.Close(); });
        });
        form.ShowModal();
        QCOMPARE(attempts, 2);
    }

    void windowSystemCannotCloseTheForm() {
        TForm form;
        bool visibleAfterSpontaneousClose = false;
        QTimer::singleShot(0, &form, [&] {
            const EndModalOnExit end(&form);
            // What the window system does for Alt+F4 or a close button.
            form.windowHandle()->close();
            form.close();
            visibleAfterSpontaneousClose = form.isVisible();
            Forms::HandleEvent([&] { form.Close(); });
        });
        form.ShowModal();
        QVERIFY(visibleAfterSpontaneousClose);
    }

    // A form shown over another (a screen opened from a screen): when a dialog over the top one
    // closes, the keyboard goes back to the top one, and the one below stays below.
    void onlyTheFormOnTopTakesTheFocusBack() {
        TForm below;
        TForm above;
        QWidget* activeAfterDialog = nullptr;
        QTimer::singleShot(0, &below, [&] {
            const EndModalOnExit endBelow(&below);
            QTimer::singleShot(0, &above, [&] {
                const EndModalOnExit endAbove(&above);
                Forms::HandleEvent([&] {
                    QDialog dialog(&above);
                    dialog.show();
                    QVERIFY(QTest::qWaitForWindowActive(&dialog));
                    dialog.hide();
                });
                // Both forms have acted once the handler returned; what they asked of the window
                // system arrives as events. The one on top ends up active, and no event still
                // queued moves the keyboard away from it.
                QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &above, 5000);
                QCoreApplication::processEvents();
                activeAfterDialog = QApplication::activeWindow();
            });
            above.ShowModal();
        });
        below.ShowModal();
        QCOMPARE(activeAfterDialog, &above);
    }

    void anErrorInAKeyHandlerDoesNotEndTheModalDisplay() {
        TForm form;
        form.OnKeyPress = [](QObject*, char&) { throw Sysutils::Exception("bad key"); };
        bool stillShown = false;
        QTimer::singleShot(0, &form, [&] {
            const EndModalOnExit end(&form);
            QTest::keyClick(&form, Qt::Key_A);
            stillShown = form.isVisible();
            Forms::HandleEvent([&] { form.Close(); });
        });
        form.ShowModal();
        QVERIFY(stillShown);
        QCOMPARE(shownErrors, std::vector<AnsiString>{"bad key"});
    }

    void sentMessagesReachTheKeyEventsBeforeReturning() {
        TForm form;
        std::vector<int> keyDowns;
        std::vector<char> characters;
        form.OnKeyDown = [&](QObject*, Forms::WORD& key, Forms::TShiftState shift) {
            QVERIFY((shift & Forms::ssAlt) == 0);
            keyDowns.push_back(key);
        };
        form.OnKeyPress = [&](QObject*, char& key) { characters.push_back(key); };
        Messages::SendMessageA(&form, Messages::WM_CHAR, 0xE7, 0);
        QCOMPARE(characters, std::vector<char>{char(0xE7)});
        Messages::SendMessageA(&form, Messages::WM_KEYDOWN, 46, 0);
        QCOMPARE(keyDowns, std::vector<int>{46});
        QVERIFY(characters.size() == 1);
    }

    void physicalKeysGiveKeyDownThenCharacter() {
        TForm form;
        std::vector<std::pair<char, int>> events;
        form.OnKeyDown = [&](QObject*, Forms::WORD& key, Forms::TShiftState) {
            events.emplace_back('D', key);
        };
        form.OnKeyPress = [&](QObject*, char& key) {
            events.emplace_back('C', static_cast<unsigned char>(key));
        };
        QTest::keyClick(&form, Qt::Key_A);
        QTest::keyClick(&form, Qt::Key_Backspace);
        QTest::keyClick(&form, Qt::Key_Delete);
        const std::vector<std::pair<char, int>> expected{
            {'D', 65}, {'C', 'a'}, {'D', 8}, {'C', 8}, {'D', 46}};
        QCOMPARE(events, expected);
    }

    void keyTranslation_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<unsigned>("shift");
        QTest::addColumn<int>("character");
        const int none = -1;
        QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a" << 65 << 0u << int('a');
        QTest::newRow("capital") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << 65
                                 << unsigned(Forms::ssShift) << int('A');
        QTest::newRow("cedilla") << int(Qt::Key_Ccedilla) << 0 << QString(QChar(0xE7)) << 0 << 0u
                                 << 0xE7;
        QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << 55 << 0u << int('7');
        QTest::newRow("keypad digit")
            << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << 103 << 0u << int('7');
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "\r" << 13 << 0u << 13;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << "\x1b" << 27 << 0u << 27;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8 << 0u << 8;
        QTest::newRow("delete types nothing")
            << int(Qt::Key_Delete) << 0 << "\x7f" << 46 << 0u << none;
        QTest::newRow("alt+d types nothing") << int(Qt::Key_D) << int(Qt::AltModifier) << "d" << 68
                                             << unsigned(Forms::ssAlt) << none;
        QTest::newRow("alt+f4") << int(Qt::Key_F4) << int(Qt::AltModifier) << "" << 115
                                << unsigned(Forms::ssAlt) << none;
        QTest::newRow("ctrl+alt+d") << int(Qt::Key_D) << int(Qt::AltModifier | Qt::ControlModifier)
                                    << "" << 68 << unsigned(Forms::ssAlt | Forms::ssCtrl) << none;
        QTest::newRow("euro is not Latin-1")
            << int(Qt::Key_E) << 0 << QString(QChar(0x20AC)) << 69 << 0u << none;
        QTest::newRow("caps lock") << int(Qt::Key_CapsLock) << 0 << "" << 20 << 0u << none;
    }

    void keyTranslation() {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, virtualKey);
        QFETCH(unsigned, shift);
        QFETCH(int, character);
        const QKeyEvent event = keyPress(qtKey, Qt::KeyboardModifiers(modifiers), text);
        const Messages::TranslatedKey translated = Messages::TranslateKey(event);
        QCOMPARE(int(translated.VirtualKey), virtualKey);
        QCOMPARE(translated.Shift, shift);
        QCOMPARE(translated.Character.has_value(), character >= 0);
        if (character >= 0) {
            QCOMPARE(static_cast<unsigned char>(*translated.Character), unsigned(character));
        }
    }

    void screenCursorIsTheOverrideCursor() {
        Forms::Screen->SetCursor(Forms::crHourGlass);
        QVERIFY(QApplication::overrideCursor() != nullptr);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        Forms::Screen->SetCursor(Forms::crHourGlass);
        Forms::Screen->SetCursor(Forms::crDefault);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(Forms::Screen->Cursor(), Forms::crDefault);
    }
};

QTEST_MAIN(FormsTest)
#include "test_forms.moc"
