// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sheets.h"

#include "Palette.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

void Sheets::open(QDialog *sheet, const std::function<void()> &closed)
{
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowModality(Qt::WindowModal);
    if (closed)
        QObject::connect(sheet, &QDialog::finished, sheet, [closed] { closed(); });
    sheet->open();
}

void Sheets::close(QDialog *sheet)
{
    if (sheet && sheet->isVisible())
        sheet->close();
}

QMessageBox *Sheets::confirm(QWidget *parent, const QString &title, const QString &message,
                             const QString &destructiveText,
                             const std::function<void(bool confirmed)> &answered)
{
    auto *alert = new QMessageBox(parent);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setIcon(QMessageBox::Warning);
    alert->setWindowTitle(title);
    alert->setText(title);
    alert->setInformativeText(message);
    QPushButton *cancel = alert->addButton(u"取消"_s, QMessageBox::RejectRole);
    QPushButton *remove = alert->addButton(destructiveText, QMessageBox::DestructiveRole);
    cancel->setAccessibleName(u"取消"_s);
    remove->setAccessibleName(destructiveText);
    QPalette destructive = remove->palette();
    destructive.setColor(QPalette::ButtonText, Palette::over());
    remove->setPalette(destructive);
    // Wide enough that a short message stays on one line.
    alert->setStyleSheet(
        u"QLabel#qt_msgbox_label, QLabel#qt_msgbox_informativelabel { min-width: 240px; }"_s);
    alert->setDefaultButton(cancel);
    alert->setEscapeButton(cancel);
    alert->setWindowModality(Qt::WindowModal);
    // Any way of closing the alert other than the destructive button keeps the records.
    QObject::connect(alert, &QMessageBox::finished, alert,
                     [alert, remove, answered] { answered(alert->clickedButton() == remove); });
    return alert;
}
