#include "formfixture.h"

#include <QTest>

namespace {

AnsiString letterCaptions(const TfrmInclusaoReserva& form) {
    AnsiString captions;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        captions += Caption(form.findChild<QObject*>(QStringLiteral("sbt") + QChar(letter)));
    }
    return captions + Caption(form.sbtCCdil);
}

const AnsiString upperCaptions = AnsiString("ABCDEFGHIJKLMNOPQRSTUVWXYZ") + char(0xC7);
const AnsiString lowerCaptions = AnsiString("abcdefghijklmnopqrstuvwxyz") + char(0xE7);

// Sets the latches through taps only: the form opens with Shift armed and Caps Lock off.
void setLatches(TfrmInclusaoReserva& form, bool capsLock, bool shift) {
    form.sbtShift->Click(); // Shift off
    if (capsLock) {
        form.sbtCapsLock->Click();
    }
    if (shift) {
        form.sbtShift->Click();
    }
    QCOMPARE(FormStateAccess::boCapsLock(form), capsLock);
    QCOMPARE(FormStateAccess::boShift(form), shift);
}

// The accented forms' pop-up while it is open, or null. A closed one is gone once the events
// have been processed.
QWidget* openForms(const TfrmInclusaoReserva& form) {
    auto* popup = form.findChild<QWidget*>(QStringLiteral("accentPopup"));
    return popup != nullptr && popup->isVisible() ? popup : nullptr;
}

// Holds a key down until its forms open, then lifts the finger; the open pop-up.
QWidget* holdUntilFormsOpen(TfrmInclusaoReserva& form, TBlendedButton* key) {
    const QPoint centre = key->rect().center();
    QTest::mousePress(key, Qt::LeftButton, {}, centre);
    if (!QTest::qWaitFor([&form] { return openForms(form) != nullptr; }, 5000)) {
        return nullptr;
    }
    // The finger still moves a little on the key before it lets go.
    QTest::mouseMove(key, centre + QPoint(1, 1));
    QTest::mouseRelease(key, Qt::LeftButton, {}, centre);
    return openForms(form);
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void theScreenOpensWithShiftArmedAndCapitalCaptions() {
        FormWatch watch;
        const auto form = OpenForm(1);
        QVERIFY(FormStateAccess::boShift(*form));
        QVERIFY(!FormStateAccess::boCapsLock(*form));
        QCOMPARE(letterCaptions(*form), upperCaptions);
        Tap(*form, "j");
        QCOMPARE(form->lblNome->Caption(), AnsiString("J"));
        QCOMPARE(letterCaptions(*form), lowerCaptions);
        Tap(*form, "OAO");
        QCOMPARE(form->lblNome->Caption(), AnsiString("Joao"));
    }

    void shiftTapTable_data() {
        QTest::addColumn<bool>("capsLock");
        QTest::addColumn<bool>("shiftBefore");
        QTest::addColumn<bool>("upperAfter");
        QTest::newRow("caps off, shift off") << false << false << true;
        QTest::newRow("caps off, shift on") << false << true << false;
        QTest::newRow("caps on, shift off") << true << false << false;
        QTest::newRow("caps on, shift on") << true << true << true;
    }

    void shiftTapTable() {
        QFETCH(bool, capsLock);
        QFETCH(bool, shiftBefore);
        QFETCH(bool, upperAfter);
        FormWatch watch;
        const auto form = OpenForm(1);
        setLatches(*form, capsLock, shiftBefore);
        form->sbtShift->Click();
        QCOMPARE(FormStateAccess::boShift(*form), !shiftBefore);
        QCOMPARE(FormStateAccess::boCapsLock(*form), capsLock);
        QCOMPARE(letterCaptions(*form), upperAfter ? upperCaptions : lowerCaptions);
    }

    void capsLockTapTable() {
        FormWatch watch;
        const auto form = OpenForm(1);
        // Shift armed, Caps Lock off: Caps Lock on, Shift off, captions stay upper case.
        form->sbtCapsLock->Click();
        QVERIFY(FormStateAccess::boCapsLock(*form));
        QVERIFY(!FormStateAccess::boShift(*form));
        QCOMPARE(letterCaptions(*form), upperCaptions);
        Tap(*form, "abc");
        QCOMPARE(form->lblNome->Caption(), AnsiString("ABC"));
        form->sbtCapsLock->Click();
        QVERIFY(!FormStateAccess::boCapsLock(*form));
        QCOMPARE(letterCaptions(*form), lowerCaptions);
    }

    void whatALetterAndTheCedillaKeyType_data() {
        QTest::addColumn<bool>("capsLock");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QByteArray>("appended");
        QTest::addColumn<bool>("shiftAfter");
        QTest::newRow("off off") << false << false << QByteArray("m\xE7") << false;
        QTest::newRow("off on") << false << true << QByteArray("M\xE7") << false;
        QTest::newRow("on off") << true << false << QByteArray("M\xC7") << false;
        QTest::newRow("on on") << true << true << QByteArray("m\xC7") << false;
    }

    void whatALetterAndTheCedillaKeyType() {
        QFETCH(bool, capsLock);
        QFETCH(bool, shift);
        QFETCH(QByteArray, appended);
        QFETCH(bool, shiftAfter);
        FormWatch watch;
        const auto form = OpenForm(1);
        setLatches(*form, capsLock, shift);
        form->sbtM->Click();
        form->sbtCCdil->Click();
        QCOMPARE(form->lblNome->Caption(), appended.toStdString());
        QCOMPARE(FormStateAccess::boShift(*form), shiftAfter);
        QCOMPARE(FormStateAccess::boCapsLock(*form), capsLock);
        // Captions follow the latches: upper exactly while Caps Lock is on.
        QCOMPARE(letterCaptions(*form), capsLock ? upperCaptions : lowerCaptions);
    }

    void aHeldLetterOffersItsAccentedFormsInTheCaptionsCase_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("capsLock");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QByteArray>("forms");
        QTest::addColumn<int>("tapped");
        QTest::addColumn<QByteArray>("appended");
        QTest::newRow("a") << "sbtA" << false << false << QByteArray("\xE1\xE0\xE2\xE3") << 3
                           << QByteArray("\xE3");
        QTest::newRow("e with Shift")
            << "sbtE" << false << true << QByteArray("\xC9\xCA") << 0 << QByteArray("\xC9");
        QTest::newRow("o with Caps Lock and Shift")
            << "sbtO" << true << true << QByteArray("\xF3\xF4\xF5") << 2 << QByteArray("\xF5");
        QTest::newRow("c with Shift")
            << "sbtC" << false << true << QByteArray("\xC7") << 0 << QByteArray("\xC7");
    }

    void aHeldLetterOffersItsAccentedFormsInTheCaptionsCase() {
        QFETCH(QString, key);
        QFETCH(bool, capsLock);
        QFETCH(bool, shift);
        QFETCH(QByteArray, forms);
        QFETCH(int, tapped);
        QFETCH(QByteArray, appended);
        FormWatch watch;
        const auto form = OpenForm(1);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        setLatches(*form, capsLock, shift);
        QWidget* popup = holdUntilFormsOpen(*form, form->findChild<TBlendedButton*>(key));
        QVERIFY(popup != nullptr);
        // Holding the key typed nothing, not even when it was let go.
        QCOMPARE(form->lblNome->Caption(), AnsiString());
        const QList<TBlendedButton*> keys = popup->findChildren<TBlendedButton*>();
        AnsiString captions;
        for (const TBlendedButton* formKey : keys) {
            captions += formKey->Caption();
        }
        QCOMPARE(captions, forms.toStdString());
        keys.at(tapped)->Click();
        QCOMPARE(form->lblNome->Caption(), appended.toStdString());
        QVERIFY(!FormStateAccess::boShift(*form));
        QCOMPARE(letterCaptions(*form), capsLock ? upperCaptions : lowerCaptions);
        QVERIFY(openForms(*form) == nullptr);
    }

    void aShortTapTypesThePlainLetterOnceAndTheFormsCloseWithoutTyping() {
        FormWatch watch;
        const auto form = OpenForm(1);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        setLatches(*form, false, false);
        QTest::mouseClick(form->sbtA, Qt::LeftButton, {}, form->sbtA->rect().center());
        QCOMPARE(form->lblNome->Caption(), AnsiString("a"));
        QWidget* popup = holdUntilFormsOpen(*form, form->sbtA);
        QVERIFY(popup != nullptr);
        QTest::keyClick(popup, Qt::Key_Escape);
        QVERIFY(openForms(*form) == nullptr);
        popup = holdUntilFormsOpen(*form, form->sbtE);
        QVERIFY(popup != nullptr);
        QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(-5, popup->height() + 5));
        QVERIFY(openForms(*form) == nullptr);
        QCOMPARE(form->lblNome->Caption(), AnsiString("a"));
    }

    void cedillaWithShiftInTheDateStepReleasesBothLatches() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Tap(*form, "Ana");
        TapEnter(*form);
        form->sbtCapsLock->Click();
        form->sbtShift->Click();
        form->sbtCCdil->Click();
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString());
        QVERIFY(!FormStateAccess::boShift(*form));
        QVERIFY(!FormStateAccess::boCapsLock(*form));
        QCOMPARE(letterCaptions(*form), lowerCaptions);
    }

    void spaceBarTypesABlankOnlyInTextSteps() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Tap(*form, "Ana Paula");
        QCOMPARE(form->lblNome->Caption(), AnsiString("Ana paula"));
        TapEnter(*form);
        Tap(*form, " 0 7");
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("07//"));
    }

    void clearKeyEmptiesTheCurrentFieldAndEveryDigitBuffer() {
        FormWatch watch;
        const ClockAt clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        const auto form = OpenForm(1);
        Tap(*form, "Ana");
        form->sbtLimpar->Click();
        QCOMPARE(form->lblNome->Caption(), AnsiString());
        Tap(*form, "Ana");
        TapEnter(*form);
        Tap(*form, "24122026");
        TapEnter(*form);
        Tap(*form, "0930");
        form->sbtLimpar->Click();
        QCOMPARE(form->lblHrIni->Caption(), AnsiString());
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("24/12/2026"));
        QCOMPARE(FormStateAccess::stDigHrIni(*form), AnsiString());
        QCOMPARE(FormStateAccess::stDigData(*form), AnsiString());
        QCOMPARE(FormStateAccess::stHrIni(*form), AnsiString("0930"));
    }

    void backspaceKeyRemovesTheLastCharacterOfTheField() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Tap(*form, "Ana");
        const bool shiftBefore = FormStateAccess::boShift(*form);
        form->sbtBackSpace->Click();
        QCOMPARE(form->lblNome->Caption(), AnsiString("An"));
        QCOMPARE(FormStateAccess::boShift(*form), shiftBefore);
        form->sbtShift->Click();
        form->sbtBackSpace->Click();
        // The on-screen Backspace sends only the key-down: an armed Shift stays armed.
        QVERIFY(FormStateAccess::boShift(*form));
        QCOMPARE(form->lblNome->Caption(), AnsiString("A"));
    }

    void holdingBackspaceRepeatsItAndATapSendsOne() {
        FormWatch watch;
        const auto form = OpenForm(1);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        Tap(*form, AnsiString(40, 'a'));
        const QPoint centre = form->sbtBackSpace->rect().center();
        QTest::mouseClick(form->sbtBackSpace, Qt::LeftButton, {}, centre);
        QCOMPARE(form->lblNome->Caption().size(), std::size_t(39));
        QTest::mousePress(form->sbtBackSpace, Qt::LeftButton, {}, centre);
        QTRY_VERIFY_WITH_TIMEOUT(form->lblNome->Caption().size() < 36, 5000);
        QTest::mouseRelease(form->sbtBackSpace, Qt::LeftButton, {}, centre);
    }

    void exitKeyClosesFromAnyStepWithoutHandOff() {
        FormWatch watch;
        const auto form = OpenForm(1);
        Tap(*form, "Ana");
        TapEnter(*form);
        form->sbtShift->Click();
        form->sbtSair->Click();
        QVERIFY(!FormStateAccess::boShift(*form));
        QVERIFY(watch.handOffs.empty());
        QVERIFY(watch.messages.empty());
    }

    void everyCharacterKeyTypesItsTag() {
        FormWatch watch;
        const auto form = OpenForm(1);
        form->sbtShift->Click();
        form->sbtCapsLock->Click(); // capitals, no one-shot
        const char* keys[] = {"sbt1",       "sbt0",     "sbtQ",     "sbtZ",
                              "sbtVirgula", "sbtPonto", "sbtBarra", "sbtEspaco"};
        for (const char* name : keys) {
            form->findChild<TBlendedButton*>(QString::fromLatin1(name))->Click();
        }
        QCOMPARE(form->lblNome->Caption(), AnsiString("10QZ,./ "));
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
