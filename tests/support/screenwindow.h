#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <memory>

// The suites that size screens to the screen run offscreen on a 1024x768 screen with a 1920x1080
// one beside it (screens.json). A window covering the screen of the given size, active, so that
// the dialogs opened next show over it; null when no screen has that size or it did not show.
inline std::unique_ptr<QWidget> WindowCovering(const QSize& size) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().size() != size) {
            continue;
        }
        auto window = std::make_unique<QWidget>();
        window->setScreen(screen);
        window->setGeometry(screen->geometry());
        window->show();
        window->activateWindow();
        if (QTest::qWaitForWindowActive(window.get())) {
            return window;
        }
    }
    return nullptr;
}
