#include "app/PennyloomApp.h"

#include <QCoreApplication>

#include <cstring>

int main(int argc, char **argv)
{
    // Restoring shows no window, so it works without a display.
    if (argc == 3 && std::strcmp(argv[1], "--restore") == 0) {
        QCoreApplication app(argc, argv);
        return PennyloomApp::restore(QString::fromLocal8Bit(argv[2]));
    }
    PennyloomApp app(argc, argv);
    return app.run();
}
