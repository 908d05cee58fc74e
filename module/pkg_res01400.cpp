#include "pkg_res01400.h"

#include "cli_res01400.h"

#include <iterator>

namespace Pkg_res01400 {

namespace {

// The module's own unit is the last entry.
constexpr PackageUnitEntry units[] = {
    {&Cli_res01400::initialization, &Cli_res01400::Finalization},
};

constexpr PackageInfoTable packageInfo{int(std::size(units)), units};

// The load hook: a host that never calls Initialize still gets its units started.
struct LoadHook {
    LoadHook() { PackageLoad(); }
};
const LoadHook loadHook;

} // namespace

void PackageLoad() {
    for (const PackageUnitEntry& unit : units) {
        unit.Init();
    }
}

void PackageUnload() {
    for (auto unit = std::rbegin(units); unit != std::rend(units); ++unit) {
        unit->FInit();
    }
}

const PackageInfoTable* GetPackageInfoTable() {
    return &packageInfo;
}

} // namespace Pkg_res01400

extern "C" {
void Initialize() {
    Pkg_res01400::PackageLoad();
}
void Finalize() {
    Pkg_res01400::PackageUnload();
}
const Pkg_res01400::PackageInfoTable* GetPackageInfoTable() {
    return Pkg_res01400::GetPackageInfoTable();
}
}
