#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;

namespace Bench {

// The names of the keys an operator taps to type text on the entry screen: letters, digits and
// the space bar.
QStringList KeysFor(const QString& text);

// Taps the buttons named, one on each pass of the event loop as a finger would, on the window
// that window() gives at that moment; Failed() tells when a key or the window was missing, and
// the modal display then ends.
class KeyTaps : public QObject {
public:
    KeyTaps(QStringList keys, std::function<QWidget*()> window);
    void Start();
    bool Failed() const { return failed_; }

private:
    void tapNext();

    QStringList keys_;
    std::function<QWidget*()> window_;
    qsizetype next_ = 0;
    bool failed_ = false;
};

} // namespace Bench
