#include "framework/windowmessages.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace Messages {

TMessageEvent::TMessageEvent(UINT msg, WPARAM wParam, LPARAM lParam)
    : QEvent(eventType()), Msg(msg), WParam(wParam), LParam(lParam) {}

QEvent::Type TMessageEvent::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

LRESULT SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) {
        return 0;
    }
    TMessageEvent message(msg, wParam, lParam);
    QCoreApplication::sendEvent(window, &message);
    return 0;
}

namespace {

Forms::WORD virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return Forms::WORD(qtKey);
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        // Keypad digits have their own codes, as on Windows.
        return Forms::WORD(modifiers.testFlag(Qt::KeypadModifier) ? 96 + (qtKey - Qt::Key_0)
                                                                  : qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return Forms::WORD(112 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return 189;
    case Qt::Key_Period:
        return 190;
    case Qt::Key_Slash:
        return 191;
    default:
        return 0;
    }
}

std::optional<char> typedCharacter(const QKeyEvent& event, Forms::TShiftState shift) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return char(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return char(13);
    case Qt::Key_Escape:
        return char(27);
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    // Alt combinations are system keys: they type nothing.
    if ((shift & (Forms::ssAlt | Forms::ssCtrl)) == Forms::ssAlt) {
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.size() != 1 || text.at(0).unicode() == 0 || text.at(0).unicode() > 0xFF ||
        text.at(0).unicode() == 0x7F) {
        return std::nullopt;
    }
    return char(text.at(0).unicode());
}

} // namespace

TranslatedKey TranslateKey(const QKeyEvent& event) {
    TranslatedKey translated;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        translated.Shift |= Forms::ssShift;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        translated.Shift |= Forms::ssAlt;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        translated.Shift |= Forms::ssCtrl;
    }
    translated.VirtualKey = virtualKey(event.key(), modifiers);
    translated.Character = typedCharacter(event, translated.Shift);
    return translated;
}

} // namespace Messages
