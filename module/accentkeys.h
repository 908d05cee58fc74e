#pragma once

#include "accentpopup.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

// Holding a letter key that has accented forms (a, e, i, o, u, c) for half a second opens an
// AccentPopup over it instead of typing the letter; a shorter tap still types the plain letter.
class AccentKeys : public QObject {
    Q_OBJECT

public:
    AccentKeys(QObject* parent, AccentPopup::TypeForm typeForm);

    // Lets the key open its forms when held; a key whose letter has none is left alone.
    void Watch(TBlendedButton* key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openForms();

    AccentPopup::TypeForm typeForm_;
    QTimer hold_;
    QPointer<TBlendedButton> held_;
    // Set once the held key has opened its forms: the rest of that press is no tap.
    bool opened_ = false;
};
