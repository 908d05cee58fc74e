#pragma once

#include "framework/events.h"
#include "framework/framework_export.h"

#include <QEvent>
#include <cstdint>
#include <optional>

class QKeyEvent;
class QWidget;

namespace Messages {

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HWND = QWidget*;

constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_CHAR = 0x0102;

// Virtual-key codes the form reacts to.
constexpr Forms::WORD VK_BACK = 8;
constexpr Forms::WORD VK_TAB = 9;
constexpr Forms::WORD VK_RETURN = 13;
constexpr Forms::WORD VK_SHIFT = 16;
constexpr Forms::WORD VK_CONTROL = 17;
constexpr Forms::WORD VK_MENU = 18;
constexpr Forms::WORD VK_CAPITAL = 20;
constexpr Forms::WORD VK_ESCAPE = 27;
constexpr Forms::WORD VK_DELETE = 46;
constexpr Forms::WORD VK_F4 = 115;

// A window message delivered to a widget as a Qt event.
class FRAMEWORK_EXPORT TMessageEvent : public QEvent {
public:
    TMessageEvent(UINT msg, WPARAM wParam, LPARAM lParam);
    static QEvent::Type eventType();

    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// Delivers the message synchronously: the window's handlers have run when this returns.
FRAMEWORK_EXPORT LRESULT SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// What a physical key delivers: a key-down with its virtual-key code and modifier set, then,
// for a key that types, the character as a Latin-1 byte.
struct TranslatedKey {
    Forms::WORD VirtualKey = 0;
    Forms::TShiftState Shift = 0;
    std::optional<char> Character;
};
FRAMEWORK_EXPORT TranslatedKey TranslateKey(const QKeyEvent& event);

} // namespace Messages
