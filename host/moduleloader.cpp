#include "host/moduleloader.h"

#include <QDir>

bool ReservationModule::load(const QString& folder) {
    library_.setFileName(QDir(folder).filePath(QStringLiteral("Pkg_res01400")));
    if (!library_.load()) {
        errorText_ = QStringLiteral("cannot load the reservation module %1: %2")
                         .arg(library_.fileName(), library_.errorString());
        return false;
    }
    entry_ = reinterpret_cast<EntryFunction>(library_.resolve("CriaInclusaoReserva"));
    if (entry_ == nullptr) {
        errorText_ = QStringLiteral("the reservation module %1 has no CriaInclusaoReserva: %2")
                         .arg(library_.fileName(), library_.errorString());
        return false;
    }
    return true;
}
