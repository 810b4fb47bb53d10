#include "PennyloomApp.h"

#include "ContentView.h"
#include "ModelStore.h"
#include "ui/Theme.h"

#include <QMessageBox>

#include <cstdio>

using namespace Qt::StringLiterals;

PennyloomApp::PennyloomApp(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(u"Pennyloom"_s);
    setApplicationDisplayName(u"Pennyloom"_s);
    setDesktopFileName(u"pennyloom"_s);
    Theme::apply();
}

int PennyloomApp::run()
{
    const QString path = ModelStore::defaultPath();
    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(path, &error);
    if (!store) {
        std::fprintf(stderr, "pennyloom: %s\n", error.toUtf8().constData());
        // Without a screen (offscreen or minimal platform) nobody could dismiss the dialog.
        const QString platform = platformName();
        if (platform != u"offscreen"_s && platform != u"minimal"_s)
            QMessageBox::critical(nullptr, u"Pennyloom 无法启动"_s, error);
        return 1;
    }

    ContentView window(*store);
    connect(store.get(), &ModelStore::writeFailed, &window, [&window](const QString &message) {
        QMessageBox::warning(&window, u"保存失败"_s, message + u"\n刚才的修改没有保存。"_s);
    });
    window.show();
    return exec();
}
