#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QLabel;

namespace Bench {

class BareInsert;
class BareScreen;

// What the bare screen does with the taps of a reservation, the least that shows them: a
// character key adds its character to the current entry's label, Enter goes on to the next
// entry's, and the last Enter inserts one row, calls stored and ends the display.
class BareEntry : public QObject {
public:
    BareEntry(BareScreen& screen, BareInsert& store, int day, std::function<void()> stored);
    bool Failed() const { return failed_; }

private:
    void tapped(const QString& key);

    BareScreen& screen_;
    BareInsert& store_;
    int day_;
    std::function<void()> stored_;
    std::vector<QLabel*> entries_;
    std::size_t current_ = 0;
    bool failed_ = false;
};

} // namespace Bench
