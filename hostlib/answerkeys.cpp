#include "hostlib/answerkeys.h"

#include <QKeyEvent>

bool AnswerKey(const QKeyEvent& event, const std::function<void()>& yes,
               const std::function<void()>& no) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event.isAutoRepeat()) {
            yes();
        }
        return true;
    case Qt::Key_Escape:
        if (!event.isAutoRepeat()) {
            no();
        }
        return true;
    default:
        return false;
    }
}
