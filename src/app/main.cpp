#include "app/ContentView.h"
#include "app/ModelStore.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Pennyloom"_s);
    QApplication::setApplicationDisplayName(u"Pennyloom"_s);
    Theme::apply();

    // The store opens before any window: a file that cannot be used stops the program, and
    // the file stays as it was.
    const QString path = ModelStore::defaultPath();
    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(path, &error);
    if (!store) {
        std::fprintf(stderr, "pennyloom: %s\n", error.toLocal8Bit().constData());
        QMessageBox::critical(nullptr, u"Pennyloom 无法启动"_s, error);
        return 1;
    }

    ContentView window(*store);
    QObject::connect(store.get(), &ModelStore::writeFailed, &window, [&window](const QString &message) {
        QMessageBox::warning(&window, u"保存失败"_s, message + u"\n刚才的修改没有保存。"_s);
    });
    window.show();
    return app.exec();
}
