#include "app/PennyloomApp.h"

int main(int argc, char **argv)
{
    PennyloomApp app(argc, argv);
    return app.run();
}
