#pragma once

#include "framework/ansistring.h"

#include <QDate>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

namespace Dbclient {
class TClientDataSet;
}

// What storing a reservation needs around it in a benchmark, put back when it goes: a database
// file of its own in a temporary folder, the framework clock at a fixed moment, messages
// answered without a window, the table grid answered with the first free tables, and what was
// stored, said and raised counted.
namespace Bench {

class StoreSetup {
public:
    explicit StoreSetup(int tablesPicked);
    ~StoreSetup();
    StoreSetup(const StoreSetup&) = delete;
    StoreSetup& operator=(const StoreSetup&) = delete;

    QTemporaryDir Folder;
    int Stored = 0;
    int Messages = 0;
    std::vector<AnsiString> Errors;
    // Runs the moment a reservation has been stored.
    std::function<void()> OnStored;
};

// Every sample books its own day, so that no two bookings compete for a table.
QDate ReservationDay(int sample);

// A new reservation as the terminal hands it to the module.
std::unique_ptr<Dbclient::TClientDataSet> NewReservationDataset();

} // namespace Bench
