#pragma once

#include <QDialog>
#include <QPointer>

// Ends a modal display when the scope is left, however the checks in it end: a failed QCOMPARE
// returns from the scope early, and the modal loop would otherwise wait for the suite's timeout.
class EndModalOnExit {
public:
    explicit EndModalOnExit(QDialog* dialog) : dialog_(dialog) {}
    ~EndModalOnExit() {
        if (dialog_ && dialog_->isVisible()) {
            dialog_->done(QDialog::Rejected);
        }
    }
    EndModalOnExit(const EndModalOnExit&) = delete;
    EndModalOnExit& operator=(const EndModalOnExit&) = delete;

private:
    QPointer<QDialog> dialog_;
};
