#include "moduleloader.h"

#include <QDir>

namespace {

const char* const entryName = "CriaInclusaoReserva";

} // namespace

bool ReservationModule::load(const QString& folder) {
    library_.setFileName(QDir(folder).filePath(QStringLiteral("Pkg_res01400")));
    if (!library_.load()) {
        errorText_ = QStringLiteral("cannot load the reservation module %1: %2")
                         .arg(library_.fileName(), library_.errorString());
        return false;
    }
    entry_ = reinterpret_cast<EntryFunction>(library_.resolve(entryName));
    // QLibrary gives no reason for a symbol it cannot find.
    if (entry_ == nullptr) {
        errorText_ =
            QStringLiteral("the reservation module %1 does not export its entry function %2")
                .arg(library_.fileName(), QLatin1String(entryName));
        return false;
    }
    return true;
}
