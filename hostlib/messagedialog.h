#pragma once

#include "touchdialog.h"

// The touch message window: the text in large type and one large OK key. Enter and Esc close
// it as the key does.
class MessageDialog : public TouchDialog {
    Q_OBJECT

public:
    MessageDialog(const MensagemCall& call, QWidget* parent);
};
