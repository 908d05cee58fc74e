#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace Bench {

// Runs afterFrame once the first frame of a window has been painted: the first paint event of
// any widget of a window starts the paint pass, and a call queued then runs when the pass has
// painted every widget of the window and the frame has been flushed.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(std::function<void(QWidget* window)> afterFrame);
    ~FirstFrame() override;
    FirstFrame(const FirstFrame&) = delete;
    FirstFrame& operator=(const FirstFrame&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QWidget*)> afterFrame_;
    bool seen_ = false;
};

// Counts the paint events one widget receives.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* widget);
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count_ = 0;
};

// Lets the event loop run until the widget has had more than before paint events; false when
// that has not happened within timeoutMs.
bool WaitForPaint(const PaintCount& paints, int before, int timeoutMs = 5000);

// Ends whatever modal display is up after timeoutMs, so that a screen that never gets as far
// as the benchmark expects fails the sample instead of holding the run; Fired() tells.
class ModalGuard : public QObject {
public:
    explicit ModalGuard(int timeoutMs = 30000);
    bool Fired() const { return fired_; }

private:
    bool fired_ = false;
};

} // namespace Bench
