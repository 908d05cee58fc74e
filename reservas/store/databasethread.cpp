#include "databasethread.h"

#include "framework/screen.h"
#include "reservas/changewatcher.h"
#include "reservas/store.h"
#include "storetexts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <vector>

namespace Reservas {

namespace {

// Longer than the server's own statement limit, so that a server that still answers says why
// it gave up before the screen does.
std::atomic<std::chrono::milliseconds::rep> deadline{std::chrono::milliseconds(10000).count()};

// One call waiting for the database thread. The waiter and the thread both hold it, so either
// may go first.
struct Call {
    explicit Call(std::function<void()> toRun) : work(std::move(toRun)) {}

    std::function<void()> work;
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::exception_ptr error;
    // Touched only on the application's thread, by the waiter and by what the thread posts to it.
    QPointer<QEventLoop> waiting;

    bool Done() {
        const std::lock_guard lock(mutex);
        return done;
    }
    void Finish(std::exception_ptr failure) {
        {
            const std::lock_guard lock(mutex);
            done = true;
            error = std::move(failure);
        }
        answered.notify_all();
    }
};

class DatabaseThread {
public:
    DatabaseThread() : thread_([this] { run(); }) {}
    ~DatabaseThread() {
        // Only as the program ends, when nobody waits any more.
        Stop(std::make_exception_ptr(std::runtime_error("the database thread has ended")));
        thread_.join();
    }
    DatabaseThread(const DatabaseThread&) = delete;
    DatabaseThread& operator=(const DatabaseThread&) = delete;

    void Post(std::shared_ptr<Call> call) {
        {
            const std::lock_guard lock(mutex_);
            calls_.push_back(std::move(call));
        }
        wake_.notify_one();
    }

    // Ends the thread after the call it runs; the calls still queued get failure.
    void Stop(const std::exception_ptr& failure) {
        std::deque<std::shared_ptr<Call>> dropped;
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
            dropped.swap(calls_);
        }
        wake_.notify_one();
        for (const std::shared_ptr<Call>& call : dropped) {
            call->Finish(failure);
        }
    }

    // A statement blocked on a silent server returns at once, failed, and nothing it sends
    // later reaches the server; the work it was doing sends no further statement.
    void CutOff() {
        const std::lock_guard lock(mutex_);
        cutOff_ = true;
        if (socket_ >= 0) {
            ::shutdown(socket_, SHUT_RDWR);
        }
    }
    bool IsCutOff() const { return cutOff_; }

    void NoteSocket(int socket) {
        const std::lock_guard lock(mutex_);
        socket_ = socket;
    }

    bool Ended() const { return ended_; }

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Call>> calls_;
    bool stopping_ = false;
    int socket_ = -1;
    std::atomic<bool> cutOff_ = false;
    std::atomic<bool> ended_ = false;
    std::thread thread_;
};

thread_local DatabaseThread* runningOn = nullptr;

void DatabaseThread::run() {
    runningOn = this;
    for (;;) {
        std::shared_ptr<Call> call;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !calls_.empty(); });
            if (stopping_) {
                break;
            }
            call = std::move(calls_.front());
            calls_.pop_front();
        }
        std::exception_ptr failure;
        try {
            try {
                call->work();
            } catch (const StaleConnection&) {
                call->work();
            }
        } catch (...) {
            failure = std::current_exception();
        }
        call->Finish(failure);
        if (QCoreApplication* application = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                application,
                [call] {
                    if (call->waiting) {
                        call->waiting->quit();
                    }
                },
                Qt::QueuedConnection);
        }
    }
    CloseKeptConnection();
    ended_ = true;
}

// The thread that takes the next call, and those given up on that may still be finishing
// theirs.
std::mutex threadsMutex;
std::unique_ptr<DatabaseThread> current;
std::vector<std::unique_ptr<DatabaseThread>> givenUp;

void endAllThreads() {
    const std::lock_guard lock(threadsMutex);
    current.reset();
    // Each was cut off from its server: what it still runs ends within the database's own
    // limits.
    givenUp.clear();
}

DatabaseThread& threadForNextCall() {
    const std::lock_guard lock(threadsMutex);
    std::erase_if(givenUp,
                  [](const std::unique_ptr<DatabaseThread>& thread) { return thread->Ended(); });
    if (!current) {
        current = std::make_unique<DatabaseThread>();
        // Ended as the application goes, while Qt's database registry is still there.
        static QPointer<QCoreApplication> endsWith;
        if (QCoreApplication* application = QCoreApplication::instance();
            application != nullptr && endsWith != application) {
            endsWith = application;
            qAddPostRoutine(endAllThreads);
        }
    }
    return *current;
}

void giveUp(DatabaseThread& thread, const std::exception_ptr& failure) {
    const std::lock_guard lock(threadsMutex);
    thread.CutOff();
    thread.Stop(failure);
    if (current.get() == &thread) {
        givenUp.push_back(std::move(current));
    }
}

// Taps, keys and closing made while the screen waits are dropped, not kept for later.
class InputDropper : public QObject {
public:
    InputDropper() {
        QCoreApplication::instance()->installEventFilter(this);
        if (QCoreApplication::instance()->inherits("QGuiApplication")) {
            cursorBefore_ = Forms::Screen->Cursor();
            Forms::Screen->SetCursor(Forms::crHourGlass);
        }
    }
    ~InputDropper() override {
        if (cursorBefore_) {
            Forms::Screen->SetCursor(*cursorBefore_);
        }
    }
    InputDropper(const InputDropper&) = delete;
    InputDropper& operator=(const InputDropper&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    std::optional<Forms::TCursor> cursorBefore_;
};

bool waitOnScreen(Call& call, std::chrono::milliseconds limit) {
    QEventLoop loop;
    call.waiting = &loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(limit);
    {
        const InputDropper dropper;
        if (!call.Done()) {
            loop.exec();
        }
    }
    call.waiting = nullptr;
    return call.Done();
}

bool waitOffScreen(Call& call, std::chrono::milliseconds limit) {
    std::unique_lock lock(call.mutex);
    return call.answered.wait_for(lock, limit, [&call] { return call.done; });
}

bool onApplicationThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application != nullptr && QThread::currentThread() == application->thread();
}

} // namespace

void SetDatabaseDeadline(std::chrono::milliseconds limit) {
    deadline = limit.count();
}

void RunOnDatabaseThread(std::function<void()> work) {
    if (runningOn != nullptr) {
        work();
        return;
    }
    const auto call = std::make_shared<Call>(std::move(work));
    DatabaseThread& thread = threadForNextCall();
    thread.Post(call);
    const std::chrono::milliseconds limit(deadline.load());
    // Most operations on a local file end within a fraction of a millisecond: waited for that
    // long as it stands, the answer comes without two threads woken in turn, and no frame of
    // the screen is missed.
    const auto briefly = std::chrono::steady_clock::now() + std::chrono::microseconds(500);
    while (!call->Done() && std::chrono::steady_clock::now() < briefly) {
        std::this_thread::yield();
    }
    const bool answered = call->Done() || (onApplicationThread() ? waitOnScreen(*call, limit)
                                                                 : waitOffScreen(*call, limit));
    if (!answered && !call->Done()) {
        const std::exception_ptr failure = std::make_exception_ptr(Sysutils::Exception(
            Text("BD_SEM_RESPOSTA", ParseDatabaseLocation(DatabaseLocationText()).Shown(),
                 QString::number(std::chrono::ceil<std::chrono::seconds>(limit).count()))));
        giveUp(thread, failure);
        std::rethrow_exception(failure);
    }
    if (call->error) {
        std::rethrow_exception(call->error);
    }
}

void RunInBackground(std::function<void()> work) {
    if (runningOn != nullptr) {
        work();
        return;
    }
    threadForNextCall().Post(std::make_shared<Call>(std::move(work)));
}

void StopIfGivenUp() {
    // Nobody waits for this work any more: told it failed, the operator must not find it done.
    if (runningOn != nullptr && runningOn->IsCutOff()) {
        Sysutils::Abort();
    }
}

void NoteServerSocket(int socket) {
    if (runningOn != nullptr) {
        runningOn->NoteSocket(socket);
    }
}

} // namespace Reservas
