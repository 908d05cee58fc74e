#include "suites.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failed = 0;
    for (auto* run : {RunBinaryTests, RunXmlTests, RunDatasetTests, RunCdsdumpTests}) {
        failed += run(argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
