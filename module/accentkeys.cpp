#include "accentkeys.h"

#include "textcharacters.h"

#include "hostlib/blendedbutton.h"

#include <QMouseEvent>

namespace {

constexpr int holdMs = 500;

AnsiString formsOf(const TBlendedButton& key) {
    // The captions show the case the letter keys type in now; the forms take the same.
    const char capital = char(key.Tag());
    return TextCharacters::AccentedForms(capital, key.Caption() == AnsiString(1, capital));
}

} // namespace

AccentKeys::AccentKeys(QObject* parent, AccentPopup::TypeForm typeForm)
    : QObject(parent), typeForm_(std::move(typeForm)) {
    hold_.setSingleShot(true);
    hold_.setInterval(holdMs);
    connect(&hold_, &QTimer::timeout, this, &AccentKeys::openForms);
}

void AccentKeys::Watch(TBlendedButton* key) {
    if (!formsOf(*key).empty()) {
        key->installEventFilter(this);
    }
}

bool AccentKeys::eventFilter(QObject* watched, QEvent* event) {
    const bool onHeld = watched == held_.data();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // a second tap in quick succession presses all the same
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            held_ = static_cast<TBlendedButton*>(watched);
            opened_ = false;
            hold_.start();
        }
        break;
    case QEvent::MouseMove:
        // The key was let up when its forms opened; a finger moving on it would press it down
        // again and make the release a tap.
        return onHeld && opened_;
    case QEvent::MouseButtonRelease:
        if (onHeld) {
            hold_.stop();
            held_ = nullptr;
            opened_ = false;
        }
        break;
    default:
        break;
    }
    return false;
}

void AccentKeys::openForms() {
    // A finger that slid off the key before the time was up no longer holds it.
    if (held_ == nullptr || !held_->isDown()) {
        return;
    }
    opened_ = true;
    held_->setDown(false);
    auto* popup = new AccentPopup(*held_, formsOf(*held_), typeForm_);
    popup->show();
}
