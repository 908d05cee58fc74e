#pragma once

#include "framework/ansistring.h"
#include "hostlib/messagescheme.h"
#include "touchinput/askonkeys.h"

#include <QDialog>
#include <QString>

class QGridLayout;
class QLabel;
class TBlendedButton;

// The touch text entry: a title, the text typed so far and a block of keys, in the scheme's
// colours inside a frame. Once shown it takes the keyboard, since a kiosk runs no window
// manager to hand it.
class KeysDialog : public QDialog {
    Q_OBJECT

public:
    KeysDialog(const AnsiString& title, KeysLayout layout, int maxLength,
               const AnsiString& schemeId, QWidget* parent);

    QString Text() const { return text_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

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
    MessageScheme scheme_;
    QString text_;
    QLabel* shown_ = nullptr;
};
