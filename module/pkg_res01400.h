#pragma once

#include "module/pkg_res01400_export.h"

namespace Pkg_res01400 {

using TUnitProc = void (*)();

struct PackageUnitEntry {
    TUnitProc Init;
    TUnitProc FInit;
};

struct PackageInfoTable {
    int UnitCount;
    const PackageUnitEntry* UnitInfo;
};

// Runs every unit's start-up in table order; only the first call of each unit has an effect.
PKG_RES01400_EXPORT void PackageLoad();
// Runs the units' finalisation in reverse order.
PKG_RES01400_EXPORT void PackageUnload();
PKG_RES01400_EXPORT const PackageInfoTable* GetPackageInfoTable();

} // namespace Pkg_res01400

extern "C" {
PKG_RES01400_EXPORT void Initialize();
PKG_RES01400_EXPORT void Finalize();
PKG_RES01400_EXPORT const Pkg_res01400::PackageInfoTable* GetPackageInfoTable();
}
