#include "filewatch.h"

#include "databaseengine.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <chrono>

namespace Reservas {

namespace {

constexpr std::chrono::milliseconds pollEvery{500};
// A writer holds the file for a few milliseconds; a poll on the screen's thread never waits
// longer than this for one.
constexpr std::chrono::milliseconds writerWait{50};

QString nextWatchName() {
    static int made = 0;
    return QStringLiteral("reservas-vigia-arquivo-%1").arg(++made);
}

} // namespace

FileWatch::FileWatch(QString file) : file_(std::move(file)), name_(nextWatchName()) {
    timer_.setInterval(pollEvery);
    connect(&timer_, &QTimer::timeout, this, &FileWatch::poll);
    timer_.start();
    // The first answer comes at once rather than half a second after the screen opened.
    QTimer::singleShot(0, this, &FileWatch::poll);
}

FileWatch::~FileWatch() {
    close();
}

void FileWatch::poll() {
    if (!open_) {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1")
                                       .arg(writerWait.count()));
        database.setDatabaseName(file_);
        open_ = true;
        if (!database.open()) {
            database = QSqlDatabase();
            close();
            emit Lost();
            return;
        }
    }
    qlonglong version = 0;
    switch (readVersion(version)) {
    case Answer::Busy:
        return;
    case Answer::Failed:
        close();
        emit Lost();
        return;
    case Answer::Read:
        break;
    }
    const std::optional<qlonglong> before = version_;
    version_ = version;
    if (!before) {
        emit Reached();
    } else if (*before != version) {
        emit Changed();
    }
}

FileWatch::Answer FileWatch::readVersion(qlonglong& version) const {
    // The statement ends with this function: a statement left open would keep writers out.
    QSqlQuery query(QSqlDatabase::database(name_, false));
    if (query.exec(QStringLiteral("PRAGMA data_version")) && query.next()) {
        version = query.value(0).toLongLong();
        return Answer::Read;
    }
    return ClassifyFailure(DatabaseEngine::SQLite, query.lastError()) == FailureKind::Busy
               ? Answer::Busy
               : Answer::Failed;
}

void FileWatch::close() {
    version_.reset();
    if (!open_) {
        return;
    }
    open_ = false;
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
}

} // namespace Reservas
