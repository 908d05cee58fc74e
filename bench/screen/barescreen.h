#pragma once

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

class QLabel;

// The baseline of the screen benchmarks: a bare QDialog with as many widgets of each kind as a
// screen has, at the same places with the same texts and fonts, and no code of ours.
namespace Bench {

struct WidgetPlace {
    enum class Kind { Label, Button, Shape };
    Kind kind = Kind::Shape;
    QString name;
    QRect geometry;
    QString text;
    QFont font;
};

struct ScreenPlan {
    QSize size;
    std::vector<WidgetPlace> widgets;
};

// The widgets of a window in their stacking order: labels, buttons, and the rest as shapes.
ScreenPlan PlanOf(const QWidget& window);

// A QLabel for each label, a QPushButton for each button and a framed QFrame for each shape.
class BareScreen : public QDialog {
public:
    explicit BareScreen(const ScreenPlan& plan);

    // The label standing where the screen's label of that name stands; null when there is none.
    QLabel* Label(const QString& name) const;
};

} // namespace Bench
