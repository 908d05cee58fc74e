#pragma once

#include "collaborators/hostlib/mensagem.h"

#include <QColor>
#include <QDialog>

// The touch message window: the text in large type and one large OK key. Enter and Esc close
// it as the key does.
class MessageDialog : public QDialog {
    Q_OBJECT

public:
    MessageDialog(const MensagemCall& call, QWidget* parent);

    // Moves the dialog to the middle of area, in global coordinates.
    void CentreOver(const QRect& area);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor panel_;
    QColor frame_;
};
