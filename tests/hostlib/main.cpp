#include "suites.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (auto* run :
         {RunCatalogueTests, RunMensagemTests, RunButtonTests, RunShapeTests, RunTradTests}) {
        failed += run(argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
