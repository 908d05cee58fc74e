#pragma once

#include "touchdialog.h"

// The touch question window: the question in large type over the keys "Sim" (accepts, as
// Enter does) and "Não" (rejects, as Esc does).
class QuestionDialog : public TouchDialog {
    Q_OBJECT

public:
    QuestionDialog(const AnsiString& text, const AnsiString& schemeId, QWidget* parent);
};
