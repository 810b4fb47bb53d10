// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportFileChooser.h"

#include <QFileDialog>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

ImportFileChooser::~ImportFileChooser() = default;

QString ImportFileChooser::choose(QWidget *parent)
{
    QFileDialog dialog(parent, u"导入账单"_s);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({u"账单与表格 (*.csv *.CSV *.xlsx *.XLSX)"_s, u"所有文件 (*)"_s});
    dialog.setWindowModality(Qt::WindowModal);
    // Bills are usually saved where the browser or the phone's sync put them.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty())
        dialog.setDirectory(downloads);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
