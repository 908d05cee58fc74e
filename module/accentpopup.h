#pragma once

#include "framework/ansistring.h"

#include <QColor>
#include <QWidget>
#include <functional>

class TBlendedButton;

// A row of large touch keys over a letter key, one for each accented form of its letter. It is a
// pop-up window: a tap outside it or Esc closes it with nothing typed.
class AccentPopup : public QWidget {
    Q_OBJECT

public:
    using TypeForm = std::function<void(TBlendedButton*)>;

    // One key per character of forms, captioned with it and tagged with its capital's code, as
    // the letter keys are, in their look. A tap on one closes the pop-up and then types it
    // through typeForm. The pop-up belongs to the letter key's window and ends when it closes.
    AccentPopup(const TBlendedButton& letterKey, const AnsiString& forms, TypeForm typeForm);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeOver(const TBlendedButton& letterKey);

    // The screen's own background, framed in the keys' face colour.
    QColor background_;
    QColor frame_;
};
