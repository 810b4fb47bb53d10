// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// Sheets and alerts over a screen. A screen model holds a flag ("the form is showing", "a
// deletion waits for confirmation"); the view calls follow() whenever the flag changes, so the
// sheet is open exactly while the flag is set.
namespace Sheets {

// Makes a sheet window-modal, deleted on close, calls `closed` when it finishes by any route
// (its own buttons, Escape, the window's close) and opens it.
void open(QDialog *sheet, const std::function<void()> &closed);
void close(QDialog *sheet);

// Opens a sheet made by `make` when `showing` turns true (once: an open sheet stays the same),
// and closes it when `showing` turns false. `closed` lets the screen model clear its flag.
template <class Dialog, class Make>
void follow(QPointer<Dialog> &sheet, bool showing, Make make, const std::function<void()> &closed = {})
{
    if (!showing) {
        close(sheet);
        return;
    }
    // A sheet that has finished is only waiting for deletion: the next opening is a new one.
    if (sheet && sheet->isVisible())
        return;
    sheet = make();
    open(sheet, closed);
}

// A window-modal warning with "取消" (the default and Escape button) and a destructive button.
// `answered` is called once with true only when the destructive button was pressed.
QMessageBox *confirm(QWidget *parent, const QString &title, const QString &message,
                     const QString &destructiveText, const std::function<void(bool confirmed)> &answered);

// follow() for a confirmation alert.
template <class Dialog>
void followConfirmation(QPointer<Dialog> &alert, bool showing, QWidget *parent, const QString &title,
                        const QString &message, const QString &destructiveText,
                        const std::function<void(bool confirmed)> &answered)
{
    follow(alert, showing, [&] { return confirm(parent, title, message, destructiveText, answered); });
}

} // namespace Sheets
