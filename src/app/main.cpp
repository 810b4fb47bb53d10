#include "ui/Theme.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Theme::apply();
    QWidget w;
    w.show();
    return app.exec();
}
