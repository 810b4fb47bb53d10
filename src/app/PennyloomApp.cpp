#include "PennyloomApp.h"

#include "ContentView.h"
#include "LedgerBusService.h"
#include "QuitSignals.h"
#include "store/ModelStore.h"
#include "ui/Theme.h"

#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>

#include <cstdio>

using namespace Qt::StringLiterals;

PennyloomApp::PennyloomApp(int &argc, char **argv) : QApplication(argc, argv)
{
    setOrganizationName(u"Pennyloom"_s);
    setApplicationName(u"Pennyloom"_s);
    setApplicationDisplayName(u"Pennyloom"_s);
    setDesktopFileName(u"org.pennyloom.Pennyloom"_s);
    // The screens are Chinese throughout; a session without a locale of its own (C/POSIX)
    // would otherwise print yuan as "CN¥ 1234.50" and dates in the root locale's style.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China));
    Theme::apply();
}

int PennyloomApp::fail(const QString &message)
{
    std::fprintf(stderr, "pennyloom: %s\n", message.toUtf8().constData());
    // Without a screen (offscreen or minimal platform) nobody could dismiss the dialog.
    const QString platform = platformName();
    if (platform != u"offscreen"_s && platform != u"minimal"_s)
        QMessageBox::critical(nullptr, u"Pennyloom 无法启动"_s, message);
    return 1;
}

int PennyloomApp::run()
{
    const QString path = ModelStore::defaultPath();

    // Two running copies would each hold their own picture of the records and undo each
    // other's changes, so the second one stops. A "pennyloom add" writing without a window
    // holds the lock for a moment, so wait that long before giving up.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + u".lock"_s);
    if (!lock.tryLock(5000))
        return fail(u"数据文件 %1 正被另一个 Pennyloom 使用，请先关闭那个窗口。"_s.arg(
            QDir::toNativeSeparators(path)));

    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(path, &error);
    if (!store)
        return fail(error);

    ContentView window(*store);
    connect(store.get(), &ModelStore::writeFailed, &window, [&window](const QString &message) {
        QMessageBox::warning(&window, u"保存失败"_s, message + u"\n刚才的修改没有保存。"_s);
    });
    // Entries recorded with "pennyloom add" while the window runs arrive here. Without a
    // session bus the window still works; such an add then waits for the lock and says why.
    LedgerBusService ledgerBus(*store);
    ledgerBus.publish(QDBusConnection::sessionBus());
    QuitSignals signals;
    connect(&signals, &QuitSignals::quitRequested, &window, [&window] {
        window.close();
        quit();
    });
    window.restoreWindowState();
    window.show();
    return exec();
}
