#include "formfixture.h"

#include "framework/windowmessages.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

namespace {

// A physical key with the character it types.
void press(TfrmInclusaoReserva& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&form, &event);
}

void typePhysically(TfrmInclusaoReserva& form, const QString& text) {
    for (const QChar character : text) {
        const int key = character.isDigit()    ? Qt::Key_0 + character.digitValue()
                        : character.isLetter() ? int(character.toUpper().unicode())
                                               : int(character.unicode());
        press(form, key, Qt::NoModifier, QString(character));
    }
}

void sendCharacter(TfrmInclusaoReserva& form, unsigned char character) {
    Messages::SendMessageA(&form, Messages::WM_CHAR, character, 0);
}

} // namespace

class KeyInputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ClockAt> clock;

private slots:
    void init() { clock = std::make_unique<ClockAt>(QDateTime(QDate(2026, 12, 8), QTime(10, 0))); }
    void cleanup() { clock.reset(); }

    void datePiecesAfterEachDigit() {
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, 2);
        const char* shown[] = {"0//",     "07//",     "07/1/",     "07/12/",
                               "07/12/2", "07/12/20", "07/12/202", "07/12/2026"};
        const AnsiString digits = "07122026";
        for (std::size_t index = 0; index < digits.size(); ++index) {
            Tap(*form, digits.substr(index, 1));
            QCOMPARE(form->lblDtResMesa->Caption(), AnsiString(shown[index]));
        }
        Tap(*form, "9");
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("07/12/2026"));
        QCOMPARE(FormStateAccess::stData(*form), AnsiString("07122026"));
    }

    void backspaceLeavesTheHandOffValueUntilTheNextDigit() {
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, 2);
        Tap(*form, "0712");
        press(*form, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("07/12"));
        QCOMPARE(FormStateAccess::stDigData(*form), AnsiString("071"));
        QCOMPARE(FormStateAccess::stData(*form), AnsiString("0712"));
        Tap(*form, "5");
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("07/15/"));
        QCOMPARE(FormStateAccess::stData(*form), AnsiString("0715"));
    }

    void timesFillFromTheRight() {
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, 3);
        const char* shown[] = {"  : 1", "  :12", " 1:23", "12:34"};
        for (int index = 0; index < 4; ++index) {
            Tap(*form, AnsiString(1, char('1' + index)));
            QCOMPARE(form->lblHrIni->Caption(), AnsiString(shown[index]));
        }
        Tap(*form, "5");
        QCOMPARE(form->lblHrIni->Caption(), AnsiString("12:34"));
        QCOMPARE(FormStateAccess::stHrIni(*form), AnsiString("1234"));
    }

    void telephoneFillsFromTheLeftUpToElevenDigits() {
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, 5);
        Tap(*form, "119");
        QCOMPARE(form->lblNrTelResMesa->Caption(), AnsiString("(11) 9   -    "));
        Tap(*form, "3333444");
        QCOMPARE(form->lblNrTelResMesa->Caption(), AnsiString("(11) 9333-3444"));
        Tap(*form, "5");
        QCOMPARE(form->lblNrTelResMesa->Caption(), AnsiString("(11) 93333-4445"));
        Tap(*form, "6");
        QCOMPARE(form->lblNrTelResMesa->Caption(), AnsiString("(11) 93333-4445"));
        QCOMPARE(FormStateAccess::stTelefone(*form), AnsiString("11933334445"));
    }

    void peopleTakeThreeDigitsAndTheFourthKeyIsCancelled() {
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, 6);
        Tap(*form, "123");
        char key = '4';
        form->FormKeyPress(form.get(), key);
        QCOMPARE(key, char(0));
        QCOMPARE(form->lblNrPesMesa->Caption(), AnsiString("123"));
        Tap(*form, "a,");
        QCOMPARE(form->lblNrPesMesa->Caption(), AnsiString("123"));
    }

    void nameTakesAtMostFiftyCharacters() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Tap(*form, AnsiString(50, 'a'));
        QCOMPARE(form->lblNome->Caption().size(), std::size_t(50));
        form->sbtShift->Click();
        Tap(*form, "b");
        QCOMPARE(form->lblNome->Caption().size(), std::size_t(50));
        QVERIFY(!FormStateAccess::boShift(*form));
    }

    void descriptionLimitStillUsesUpShift() {
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, 7);
        Tap(*form, AnsiString(29, 'x'));
        sendCharacter(*form, 0xE3); // one character, the thirtieth
        form->sbtCapsLock->Click();
        form->sbtShift->Click();
        Tap(*form, "m");
        QCOMPARE(form->lblDsReserva->Caption(), AnsiString(29, 'x') + "\xE3");
        QVERIFY(!FormStateAccess::boShift(*form));
        QVERIFY(FormStateAccess::boCapsLock(*form));
        QCOMPARE(Caption(form->sbtM), AnsiString("M"));
    }

    void charactersOutsideTheRulesAreIgnored() {
        FormWatch watch;
        const auto form = OpenForm(1);
        form->sbtShift->Click(); // Shift off, so nothing releases latches on the way
        // Accented letters Portuguese does not use, and the grave on e.
        const unsigned char rejectedCharacters[] = {'-', '*', '!', 0xF1, 0xD1, 0xE4, 0xE8, 0xC8};
        for (const unsigned char rejected : rejectedCharacters) {
            sendCharacter(*form, rejected);
        }
        QCOMPARE(form->lblNome->Caption(), AnsiString());
        Tap(*form, "Ana");
        TapEnter(*form);
        Controls::TLabel* labels[] = {form->lblDtResMesa, form->lblHrIni, form->lblHrFim,
                                      form->lblNrTelResMesa, form->lblNrPesMesa};
        const char* entries[] = {"24122026", "1930", "2130", "1133334444", "4"};
        for (int index = 0; index < 5; ++index) {
            Tap(*form, "a, ");
            sendCharacter(*form, 0xE3);
            sendCharacter(*form, 0xC9);
            QCOMPARE(labels[index]->Caption(), AnsiString());
            Tap(*form, entries[index]);
            TapEnter(*form);
        }
    }

    void accentedLettersFollowTheLatchesInTheTextSteps_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("capsLock");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("name, no latch") << 1 << false << false << QByteArray("\xC3\xE0\xDC\xE7")
                                        << QByteArray("\xE3\xE0\xFC\xE7");
        QTest::newRow("description, Shift")
            << 7 << false << true << QByteArray("\xF3\xE2\xC7") << QByteArray("\xD3\xE2\xC7");
        QTest::newRow("description, Caps Lock and Shift")
            << 7 << true << true << QByteArray("\xEA\xFA\xF4") << QByteArray("\xEA\xDA\xD4");
    }

    void accentedLettersFollowTheLatchesInTheTextSteps() {
        QFETCH(int, step);
        QFETCH(bool, capsLock);
        QFETCH(bool, shift);
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, shown);
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, step);
        if (FormStateAccess::boShift(*form)) {
            form->sbtShift->Click();
        }
        if (capsLock) {
            form->sbtCapsLock->Click();
        }
        if (shift) {
            form->sbtShift->Click();
        }
        for (const char character : typed) {
            sendCharacter(*form, static_cast<unsigned char>(character));
        }
        const Controls::TLabel* label = step == 1 ? form->lblNome : form->lblDsReserva;
        QCOMPARE(label->Caption(), shown.toStdString());
        QVERIFY(!FormStateAccess::boShift(*form));
    }

    void shiftWithADigitReleasesBothLatches() {
        FormWatch watch;
        const auto form = OpenForm(1);
        WalkToStep(*form, 2);
        form->sbtCapsLock->Click();
        form->sbtShift->Click();
        Tap(*form, "0");
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("0//"));
        QVERIFY(!FormStateAccess::boShift(*form));
        QVERIFY(!FormStateAccess::boCapsLock(*form));
    }

    void capsLockWithShiftTypesLowerCase() {
        FormWatch watch;
        const auto form = OpenForm(1);
        form->sbtShift->Click();
        form->sbtCapsLock->Click();
        form->sbtShift->Click();
        sendCharacter(*form, 'A');
        QCOMPARE(form->lblNome->Caption(), AnsiString("a"));
        QCOMPARE(Caption(form->sbtA), AnsiString("A"));
    }

    void deleteEmptiesTheFieldInEveryStep() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Controls::TLabel* labels[] = {form->lblNome,     form->lblDtResMesa,    form->lblHrIni,
                                      form->lblHrFim,    form->lblNrTelResMesa, form->lblNrPesMesa,
                                      form->lblDsReserva};
        const char* entries[] = {"Ana", "24122026", "1930", "2130", "1133334444", "4", "x"};
        for (int step = 1; step <= 7; ++step) {
            Tap(*form, entries[step - 1]);
            press(*form, Qt::Key_Delete);
            QCOMPARE(labels[step - 1]->Caption(), AnsiString());
            Tap(*form, entries[step - 1]);
            if (step < 7) {
                TapEnter(*form);
            }
        }
        QCOMPARE(FormStateAccess::stHrIni(*form), AnsiString("1930"));
    }

    void escAndEnterActAsTheirKeys() {
        FormWatch watch;
        const auto form = OpenForm(1);
        form->show();
        press(*form, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCOMPARE(watch.messages.size(), std::size_t(1));
        QVERIFY(form->isVisible());
        press(*form, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        QVERIFY(!form->isVisible());
        QVERIFY(watch.handOffs.empty());
    }

    void altDOpensTheCalendarOnlyWhenEnabledAndWithAltAlone() {
        FormWatch watch;
        watch.calendarAnswer = "24/12/2026";
        const auto form = OpenForm(1);
        press(*form, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(watch.calendarCalls, 0);
        WalkToStep(*form, 2);
        press(*form, Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier);
        press(*form, Qt::Key_D, Qt::AltModifier | Qt::ControlModifier);
        QCOMPARE(watch.calendarCalls, 0);
        press(*form, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(watch.calendarCalls, 1);
        QCOMPARE(FormStateAccess::inCampo(*form), 3);
    }

    void altF4IsCancelled() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Forms::WORD key = Messages::VK_F4;
        form->FormKeyDown(form.get(), key, Forms::ssAlt);
        QCOMPARE(key, Forms::WORD(0));
        key = Messages::VK_F4;
        form->FormKeyDown(form.get(), key, Forms::ssAlt | Forms::ssShift);
        QCOMPARE(key, Messages::VK_F4);
        QVERIFY(!form->CloseRequested());
    }

    void physicalShiftArmsTheOneShotWithoutCaptions() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Tap(*form, "A");
        press(*form, Qt::Key_Shift, Qt::ShiftModifier);
        QVERIFY(FormStateAccess::boShift(*form));
        QCOMPARE(Caption(form->sbtA), AnsiString("a"));
        typePhysically(*form, QStringLiteral("n"));
        QCOMPARE(form->lblNome->Caption(), AnsiString("AN"));
    }

    void physicalBackspaceReleasesAnArmedShiftWithCapsLock() {
        FormWatch watch;
        const auto form = OpenForm(1);
        form->sbtCapsLock->Click();
        form->sbtShift->Click();
        press(*form, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        QVERIFY(!FormStateAccess::boShift(*form));
        QVERIFY(!FormStateAccess::boCapsLock(*form));
    }

    void physicalCapsLockTogglesTheLatch() {
        FormWatch watch;
        const auto form = OpenForm(1);
        press(*form, Qt::Key_CapsLock);
        QVERIFY(FormStateAccess::boCapsLock(*form));
        QVERIFY(!FormStateAccess::boShift(*form));
        typePhysically(*form, QString::fromUtf8("joão ç"));
        QCOMPARE(form->lblNome->Caption(), AnsiString("JO\xC3O \xE7"));
        // What a dead key or the compose key makes arrives as committed text.
        QInputMethodEvent composed;
        composed.setCommitString(QString::fromUtf8("õ€ñ"));
        QApplication::sendEvent(form.get(), &composed);
        QCOMPARE(form->lblNome->Caption(), AnsiString("JO\xC3O \xE7\xD5"));
    }

    void editModeTypingStartsPrefilledNumbersAfresh() {
        FormWatch watch;
        ReservationRow row = PrefilledRow();
        row.hrFim = "1400";
        row.pessoas = "12";
        row.descricao = AnsiString(30, 'd');
        const auto form = OpenForm(2, {row});
        Tap(*form, " s");
        QCOMPARE(form->lblNome->Caption(), AnsiString("Maria s"));
        TapEnter(*form);
        Tap(*form, "2");
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("2//"));
        form->sbtLimpar->Click();
        Tap(*form, "25122026");
        TapEnter(*form);
        Tap(*form, "9");
        QCOMPARE(form->lblHrIni->Caption(), AnsiString("  : 9"));
        Tap(*form, "30");
        TapEnter(*form);
        TapEnter(*form); // end time kept as prefilled
        Tap(*form, "4");
        QCOMPARE(form->lblNrTelResMesa->Caption(), AnsiString("(4 )     -    "));
        form->sbtLimpar->Click();
        Tap(*form, "21987654321");
        TapEnter(*form);
        Tap(*form, "34");
        QCOMPARE(form->lblNrPesMesa->Caption(), AnsiString("123"));
        TapEnter(*form);
        Tap(*form, "e");
        QCOMPARE(form->lblDsReserva->Caption(), AnsiString(30, 'd'));
        TapEnter(*form);
        QCOMPARE(watch.handOffs.size(), std::size_t(1));
        const HandOff& handOff = watch.handOffs[0];
        QCOMPARE(handOff.hrIni, AnsiString("930"));
        QCOMPARE(handOff.hrFim, AnsiString("1400"));
        QCOMPARE(handOff.telefone, AnsiString("21987654321"));
        QCOMPARE(handOff.dataDigitos, AnsiString("25122026"));
        QCOMPARE(handOff.nome, AnsiString("Maria s"));
    }
};

QTEST_MAIN(KeyInputTest)
#include "test_keyinput.moc"
