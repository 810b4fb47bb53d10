// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportDestination.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

ExportDestination::~ExportDestination() = default;

QString ExportDestination::choose(QWidget *parent, const QString &proposedPath)
{
    QFileDialog dialog(parent, u"导出账单"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(u"电子表格 (*.xlsx)"_s);
    dialog.setDefaultSuffix(u"xlsx"_s);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void ExportDestination::reveal(const QString &path)
{
    const QUrl file = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    QDBusMessage call =
        QDBusMessage::createMethodCall(u"org.freedesktop.FileManager1"_s, u"/org/freedesktop/FileManager1"_s,
                                       u"org.freedesktop.FileManager1"_s, u"ShowItems"_s);
    call << QStringList{file.toString()} << QString();
    const QDBusConnection bus = QDBusConnection::sessionBus();
    // A file manager that selects the file answers at once; without one, open the folder.
    if (bus.isConnected() && bus.call(call, QDBus::Block, 3000).type() == QDBusMessage::ReplyMessage)
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}
