#include "hostlib/touchscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr QSize designSize(1024, 768);

} // namespace

double TouchScale(const QSize& area) {
    const double across = double(area.width()) / designSize.width();
    const double down = double(area.height()) / designSize.height();
    return std::max(1.0, std::min(across, down));
}

QScreen* ScreenOf(const QWidget* widget) {
    QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

double ScreenTouchScale(const QWidget* widget) {
    const QScreen* screen = ScreenOf(widget);
    return screen != nullptr ? TouchScale(screen->geometry().size()) : 1.0;
}

int Scaled(int designPixels, double scale) {
    return int(std::lround(designPixels * scale));
}
