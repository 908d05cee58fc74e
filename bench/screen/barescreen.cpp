#include "barescreen.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace Bench {

ScreenPlan PlanOf(const QWidget& window) {
    ScreenPlan plan;
    plan.size = window.size();
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        WidgetPlace place;
        place.name = widget->objectName();
        place.geometry = QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        place.font = widget->font();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            place.kind = WidgetPlace::Kind::Label;
            place.text = label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            place.kind = WidgetPlace::Kind::Button;
            place.text = button->text();
        }
        plan.widgets.push_back(place);
    }
    return plan;
}

BareScreen::BareScreen(const ScreenPlan& plan) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    resize(plan.size);
    for (const WidgetPlace& place : plan.widgets) {
        QWidget* widget = nullptr;
        switch (place.kind) {
        case WidgetPlace::Kind::Label:
            widget = new QLabel(place.text, this);
            break;
        case WidgetPlace::Kind::Button:
            widget = new QPushButton(place.text, this);
            widget->setFocusPolicy(Qt::NoFocus);
            break;
        case WidgetPlace::Kind::Shape: {
            auto* frame = new QFrame(this);
            frame->setFrameShape(QFrame::Box);
            frame->setAutoFillBackground(true);
            widget = frame;
            break;
        }
        }
        widget->setObjectName(place.name);
        widget->setGeometry(place.geometry);
        widget->setFont(place.font);
    }
}

QLabel* BareScreen::Label(const QString& name) const {
    return findChild<QLabel*>(name);
}

} // namespace Bench
