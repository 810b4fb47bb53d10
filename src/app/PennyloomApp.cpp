// SPDX-License-Identifier: GPL-3.0-or-later
#include "PennyloomApp.h"

#include "AppLog.h"
#include "ContentView.h"
#include "FirstPaintExit.h"
#include "LedgerBusService.h"
#include "QuitSignals.h"
#include "WindowServices.h"
#include "model/Clock.h"
#include "model/ProgramLocale.h"
#include "store/Backups.h"
#include "store/DataFolder.h"
#include "store/ModelStore.h"
#include "ui/Theme.h"

#include <QDBusConnection>
#include <QDBusMessage>
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
    ProgramLocale::applyWhenUnset();
    if (!ProgramLocale::installQtTranslations(*this))
        qCWarning(lcApp) << "Qt's Chinese translations are not installed (qt6-translations-l10n); its own "
                            "dialogs stay in English";
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

void PennyloomApp::reportWriteFailures(ModelStore &store, QWidget &window)
{
    connect(&store, &ModelStore::writeFailed, &window, [&window](const QString &message) {
        // Shown without a loop of its own: the failure may come from inside a bus call, whose
        // sender is owed its answer now, not once the user has read the box.
        auto *box = new QMessageBox(QMessageBox::Warning, u"保存失败"_s,
                                    message + u"\n刚才的修改没有保存。"_s, QMessageBox::Ok, &window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

int PennyloomApp::run()
{
    const QString path = ModelStore::defaultPath();
    // "pennyloom --add" (the launcher's 记一笔) while a window holds the store: that window opens
    // the form, and this process is done.
    const bool addForm = arguments().contains(addOption());
    if (addForm) {
        QDBusMessage reply;
        QString ignored;
        if (LedgerBusService::callWindow(QDBusConnection::sessionBus(), path, u"ShowAddForm"_s, {}, 5000,
                                         &reply, &ignored) == LedgerBusService::CallEnd::answered)
            return 0;
    }
    if (const QString error = DataFolder::prepare(QFileInfo(path).absolutePath()); !error.isEmpty())
        return fail(error);
    // Taken before the lock: a signal that comes while a large store loads is then answered once
    // the window runs (a clean close that frees the lock), instead of ending the process at once.
    QuitSignals signals;
    QString error;
    const std::unique_ptr<QLockFile> lock = DataFolder::lock(path, &error);
    if (!lock)
        return fail(error);
    for (const QString &note : DataFolder::narrow(path))
        qCWarning(lcApp).noquote() << note;

    std::unique_ptr<ModelStore> store = ModelStore::open(path, &error);
    if (!store)
        return fail(error);
    // A failed copy is no reason to keep the user from their records; it is said and retried
    // at the next start.
    if (const QString backupError = Backups::makeDaily(*store, Clock::now().date()); !backupError.isEmpty())
        qCWarning(lcApp).noquote() << backupError;

    ContentView window(*store);
    reportWriteFailures(*store, window);
    // Entries recorded with "pennyloom add" while the window runs arrive here. Without a
    // session bus the window still works; such an add then waits for the lock and says why.
    WindowServices services(*store, window, QDBusConnection::sessionBus());
    services.publish();
    connect(&signals, &QuitSignals::quitRequested, &window, [&window] {
        window.close();
        quit();
    });
    window.restoreWindowState();
    FirstPaintExit::watch(window, arguments());
    window.show();
    if (addForm)
        window.showAddForm();
    // Due recurring entries are written just after the first paint, in one transaction.
    services.start();
    return exec();
}

QString PennyloomApp::addOption()
{
    return u"--add"_s;
}

int PennyloomApp::restore(const QString &backup)
{
    const QString path = ModelStore::defaultPath();
    QString error = DataFolder::prepare(QFileInfo(path).absolutePath());
    std::unique_ptr<QLockFile> lock;
    if (error.isEmpty())
        lock = DataFolder::lock(path, &error);
    QString keptAs;
    if (lock)
        error = Backups::restore(QFileInfo(backup).absoluteFilePath(), path, Clock::now(), &keptAs);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "pennyloom: %s\n", error.toUtf8().constData());
        return 1;
    }
    QString done =
        u"已用 %1 恢复数据文件 %2。"_s.arg(QDir::toNativeSeparators(backup), QDir::toNativeSeparators(path));
    if (!keptAs.isEmpty())
        done += u"原来的数据文件保存为 %1。"_s.arg(QDir::toNativeSeparators(keptAs));
    std::printf("%s\n", done.toUtf8().constData());
    return 0;
}
