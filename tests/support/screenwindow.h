#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <memory>

// A window covering the screen of that size, active, so that the dialogs opened next show over
// it; null when there is none. Suites run with screens.json offer 1024x768 and 1920x1080.
inline std::unique_ptr<QWidget> WindowCovering(const QSize& size) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().size() == size) {
            auto window = std::make_unique<QWidget>();
            window->setScreen(screen);
            window->setGeometry(screen->geometry());
            window->show();
            window->activateWindow();
            return QTest::qWaitForWindowActive(window.get()) ? std::move(window) : nullptr;
        }
    }
    return nullptr;
}
