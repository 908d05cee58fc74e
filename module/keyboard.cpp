#include "textcharacters.h"
#include "tfrminclusaoreserva.h"

#include "framework/sysutils.h"
#include "framework/windowmessages.h"
#include "hostlib/hostlib.h"

// The on-screen keyboard: a tap never edits a field; it sends what a physical key would send to
// the form's own window, so the form's key events apply the step's rules.

void TfrmInclusaoReserva::PostText(const AnsiString& stText, bool boEnter, bool boChar) {
    const Messages::UINT message = boChar ? Messages::WM_CHAR : Messages::WM_KEYDOWN;
    for (const char character : stText) {
        Messages::SendMessageA(this, message,
                               Messages::WPARAM(static_cast<unsigned char>(character)), 0);
    }
    if (boEnter) {
        Messages::SendMessageA(this, Messages::WM_KEYDOWN, Messages::VK_RETURN, 0);
    }
}

void TfrmInclusaoReserva::sbt1Click(QObject* Sender) {
    const auto* key = qobject_cast<TBlendedButton*>(Sender);
    if (key == nullptr) {
        return;
    }
    const char character = char(key->Tag());
    PostText(AnsiString(1, boCapsLock || boShift ? TextCharacters::UpperLetter(character)
                                                 : TextCharacters::LowerLetter(character)),
             false, true);
}

void TfrmInclusaoReserva::spdCCdilClick(QObject*) {
    constexpr char upperCedilla = char(0xC7);
    constexpr char lowerCedilla = char(0xE7);
    PostText(AnsiString(1, boCapsLock != boShift ? upperCedilla : lowerCedilla), false, true);
}

void TfrmInclusaoReserva::sbtBackSpaceClick(QObject*) {
    PostText(AnsiString(1, char(Messages::VK_BACK)), false, false);
    Refresh();
}

void TfrmInclusaoReserva::sbtLimparClick(QObject*) {
    // "." has code 46, the virtual-key code of Delete.
    PostText(".", false, false);
    Refresh();
}

void TfrmInclusaoReserva::sbtShiftClick(QObject*) {
    boShift = !boShift;
    setLetterCaptions(boCapsLock != boShift);
}

void TfrmInclusaoReserva::sbtCapsLockClick(QObject*) {
    boShift = false;
    boCapsLock = !boCapsLock;
    setLetterCaptions(boCapsLock);
}

void TfrmInclusaoReserva::sbtSairClick(QObject*) {
    boShift = false;
    Close();
}

void TfrmInclusaoReserva::setLetterCaptions(bool upperCase) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        // The letter keys are found by name, so their names are part of the layout.
        const AnsiString caption(1, letter);
        keyNamed("sbt" + caption)->SetCaption(upperCase ? caption : Sysutils::LowerCase(caption));
    }
    sbtCCdil->SetCaption(AnsiString(1, upperCase ? char(0xC7) : char(0xE7)));
}
