#include "keytaps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

namespace Bench {

QStringList KeysFor(const QString& text) {
    QStringList keys;
    for (const QChar character : text) {
        keys << (character == u' ' ? QStringLiteral("sbtEspaco")
                                   : QStringLiteral("sbt") + character.toUpper());
    }
    return keys;
}

KeyTaps::KeyTaps(QStringList keys, std::function<QWidget*()> window)
    : keys_(std::move(keys)), window_(std::move(window)) {}

void KeyTaps::Start() {
    QTimer::singleShot(0, this, &KeyTaps::tapNext);
}

void KeyTaps::tapNext() {
    QWidget* window = window_();
    auto* key = window != nullptr ? window->findChild<QAbstractButton*>(keys_[next_]) : nullptr;
    if (key == nullptr) {
        failed_ = true;
        qWarning("no key %s to tap", qPrintable(keys_[next_]));
        // Nothing more will happen on the window: its display ends now rather than at the guard.
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            modal->done(QDialog::Rejected);
        }
        return;
    }
    ++next_;
    key->click();
    if (next_ < keys_.size()) {
        QTimer::singleShot(0, this, &KeyTaps::tapNext);
    }
}

} // namespace Bench
