#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <map>

// The baseline of a booking on SQLite: the statements the package runs for one hand-off of a
// new reservation with two tables (the grid's reading, then the checks, the reservation, its
// tables and the commit, in one write transaction), each prepared once and bound again, on one
// connection kept open with the package's settings, on a file whose tables the package made.
namespace Bench {

class BareBooking {
public:
    // file must hold the package's tables already.
    explicit BareBooking(const QString& file);
    ~BareBooking();
    BareBooking(const BareBooking&) = delete;
    BareBooking& operator=(const BareBooking&) = delete;

    bool Ready() const { return ready_; }
    // Books tables 1 and 2 on the day days from the first booking's; false when it failed.
    bool Book(int day);

private:
    QSqlQuery& statement(const QString& sql);
    bool run(QSqlQuery& query);

    QString name_;
    QSqlDatabase database_;
    std::map<QString, QSqlQuery> statements_;
    bool ready_ = false;
};

} // namespace Bench
