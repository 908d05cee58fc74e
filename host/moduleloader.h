#pragma once

#include <QLibrary>
#include <QString>

namespace Dbclient {
class TClientDataSet;
}

// The reservation module, loaded at run time from beside the terminal program; never linked.
class ReservationModule {
public:
    using EntryFunction = void (*)(int, Dbclient::TClientDataSet*);

    // Loads the module from folder; on failure errorText() names the file and the reason.
    bool load(const QString& folder);
    QString errorText() const { return errorText_; }
    EntryFunction entry() const { return entry_; }

private:
    QLibrary library_;
    EntryFunction entry_ = nullptr;
    QString errorText_;
};
