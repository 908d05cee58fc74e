#include "displaymasks.h"
#include "entrylimits.h"
#include "textcharacters.h"
#include "tfrminclusaoreserva.h"

#include "framework/data/db.h"
#include "framework/windowmessages.h"
#include "hostlib/hostlib.h"

#include <QInputMethodEvent>

// The form's two key events are the only writers of typed input into the value labels.

namespace {

bool isDigit(char key) {
    return key >= '0' && key <= '9';
}

bool exactlyAlt(Forms::TShiftState shift) {
    return (shift & (Forms::ssShift | Forms::ssAlt | Forms::ssCtrl)) == Forms::ssAlt;
}

AnsiString dateDisplay(const AnsiString& digits) {
    return digits.substr(0, 2) + "/" + (digits.size() > 2 ? digits.substr(2, 2) : "") + "/" +
           (digits.size() > 4 ? digits.substr(4, 4) : "");
}

void dropLast(AnsiString& text) {
    if (!text.empty()) {
        text.pop_back();
    }
}

} // namespace

Controls::TLabel* TfrmInclusaoReserva::currentValueLabel() const {
    switch (inCampo) {
    case EntryStep::Name:
        return lblNome;
    case EntryStep::Date:
        return lblDtResMesa;
    case EntryStep::StartTime:
        return lblHrIni;
    case EntryStep::EndTime:
        return lblHrFim;
    case EntryStep::Telephone:
        return lblNrTelResMesa;
    case EntryStep::People:
        return lblNrPesMesa;
    case EntryStep::Description:
        return lblDsReserva;
    default:
        return nullptr;
    }
}

void TfrmInclusaoReserva::FormKeyDown(QObject*, Forms::WORD& Key, Forms::TShiftState Shift) {
    if (Key == Messages::VK_ESCAPE) {
        sbtSair->Click();
    }
    if (Key == Messages::VK_RETURN) {
        sbtEnter->Click();
    }
    if (Key == Messages::VK_DELETE) {
        stDigHrIni.clear();
        stDigData.clear();
        stDigHrFim.clear();
        stDigTel.clear();
        if (Controls::TLabel* label = currentValueLabel()) {
            label->SetCaption("");
        }
    }
    if (Key == Messages::VK_BACK) {
        dropLast(stDigHrIni);
        dropLast(stDigData);
        dropLast(stDigHrFim);
        dropLast(stDigTel);
        if (Controls::TLabel* label = currentValueLabel()) {
            AnsiString text = label->Caption();
            dropLast(text);
            label->SetCaption(text);
        }
    }
    if (Key == Messages::VK_CAPITAL) {
        sbtCapsLock->Click();
    }
    if (Key == Messages::VK_SHIFT) {
        boShift = true;
    }
    if (Key == 'D' && exactlyAlt(Shift) && sbtCalendario->isEnabled()) {
        sbtCanlendarioClick(sbtCalendario);
    }
    if (Key == Messages::VK_F4 && exactlyAlt(Shift)) {
        Key = 0;
    }
}

void TfrmInclusaoReserva::FormKeyPress(QObject*, char& Key) {
    switch (inCampo) {
    case EntryStep::Name:
    case EntryStep::Description:
        if (TextCharacters::IsTextCharacter(Key)) {
            const char mapped = boCapsLock != boShift ? TextCharacters::UpperLetter(Key)
                                                      : TextCharacters::LowerLetter(Key);
            if (boShift) {
                sbtShiftClick(sbtShift);
            }
            Controls::TLabel* label = inCampo == EntryStep::Name ? lblNome : lblDsReserva;
            // As much as the reservation's field holds.
            const Db::TField* field =
                inCampo == EntryStep::Name ? cdsReservaNMRESMESA : cdsReservaDSRESMESA;
            const auto limit = static_cast<std::size_t>(field->Size());
            const AnsiString text = label->Caption();
            if (text.size() < limit) {
                label->SetCaption(text + mapped);
            }
        }
        break;
    case EntryStep::Date:
        if (isDigit(Key) && stDigData.size() < EntryLimits::DateDigits) {
            stDigData += Key;
            stData = stDigData;
            lblDtResMesa->SetCaption(dateDisplay(stDigData));
        }
        break;
    case EntryStep::StartTime:
        if (isDigit(Key) && stDigHrIni.size() < EntryLimits::TimeDigits) {
            stDigHrIni += Key;
            stHrIni = stDigHrIni;
            lblHrIni->SetCaption(FormatTime(stDigHrIni));
        }
        break;
    case EntryStep::EndTime:
        if (isDigit(Key) && stDigHrFim.size() < EntryLimits::TimeDigits) {
            stDigHrFim += Key;
            stHrFim = stDigHrFim;
            lblHrFim->SetCaption(FormatTime(stDigHrFim));
        }
        break;
    case EntryStep::Telephone:
        if (isDigit(Key) && stDigTel.size() < EntryLimits::TelephoneDigits) {
            stDigTel += Key;
            stTelefone = stDigTel;
            lblNrTelResMesa->SetCaption(FormatTelephone(stDigTel));
        }
        break;
    case EntryStep::People:
        if (isDigit(Key)) {
            const AnsiString people = lblNrPesMesa->Caption();
            if (people.size() >= EntryLimits::PeopleDigits) {
                Key = 0;
            } else {
                lblNrPesMesa->SetCaption(people + Key);
            }
        }
        break;
    default:
        break;
    }
    // A character the step did not take as text leaves Shift armed: both latches drop.
    if (boShift) {
        boShift = false;
        boCapsLock = true;
        sbtCapsLockClick(nullptr);
    }
}

void TfrmInclusaoReserva::inputMethodEvent(QInputMethodEvent* event) {
    // Dead keys and the compose key hand over what they make ("~" then "a" gives "ã") as text
    // here rather than as a key event; each character then takes the road a typed one takes.
    event->accept();
    for (const QChar character : event->commitString()) {
        if (character.unicode() == 0 || character.unicode() > 0xFF) {
            continue;
        }
        Forms::HandleEvent([this, character] {
            char key = char(character.unicode());
            DispatchKeyPress(key);
        });
    }
}
