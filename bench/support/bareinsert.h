#pragma once

#include <QSqlDatabase>
#include <QString>

// The baseline of storing: one row of the reservation record's thirteen columns inserted with a
// bare QSqlQuery into a SQLite file opened with the options the package opens its own with,
// through one connection kept open.
namespace Bench {

class BareInsert {
public:
    explicit BareInsert(const QString& file);
    ~BareInsert();
    BareInsert(const BareInsert&) = delete;
    BareInsert& operator=(const BareInsert&) = delete;

    bool Ready() const { return ready_; }
    // Inserts one row whose date is day days from the first row's; false when it failed.
    bool Insert(int day);

private:
    QString name_;
    QSqlDatabase database_;
    bool ready_ = false;
};

} // namespace Bench
