#pragma once

#include "framework/ansistring.h"
#include "touchinput/askonkeys.h"
#include "touchinput/paneldialog.h"

#include <QString>

class QGridLayout;
class QLabel;
class TBlendedButton;

// The touch text entry: a title, the text typed so far and a block of keys, all grown with the
// screen it shows on.
class KeysDialog : public PanelDialog {
    Q_OBJECT

public:
    KeysDialog(const AnsiString& title, KeysLayout layout, int maxLength,
               const AnsiString& schemeId, QWidget* parent);

    QString Text() const { return text_; }

protected:
    void otherKey(QKeyEvent* event) override;

private:
    void buildLetters(QGridLayout* keys);
    void buildDigits(QGridLayout* keys);
    TBlendedButton* addKey(QGridLayout* keys, const AnsiString& caption, const QString& name,
                           int row, int column, int columns = 1);
    void addCharacterKey(QGridLayout* keys, char latin1, int row, int column, int columns = 1);
    void addEraseKey(QGridLayout* keys, int row, int column, int columns);
    void addClearKey(QGridLayout* keys, int row, int column, int columns);
    void addEndingKeys(QGridLayout* keys, int row, int column, int columns);
    bool takes(QChar character) const;
    void type(QChar character);
    void eraseLast();
    void setText(const QString& text);

    KeysLayout layout_;
    int maxLength_;
    double scale_;
    QString text_;
    QLabel* shown_ = nullptr;
};
