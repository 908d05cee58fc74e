#include <QCoreApplication>

int RunStringTests(int argc, char** argv);
int RunDateTimeTests(int argc, char** argv);
int RunMaskTests(int argc, char** argv);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunStringTests(argc, argv) + RunDateTimeTests(argc, argv) + RunMaskTests(argc, argv);
}
