#pragma once

#include <QPointer>
#include <QString>

#include <functional>

class QDialog;
class QMessageBox;
class QWidget;

// Sheets and alerts over a screen. A screen model holds a flag ("the form is showing", "a
// deletion waits for confirmation"); the view calls follow() whenever the flag changes, so the
// sheet is open exactly while the flag is set.
namespace Sheets {

// Opens a sheet made by `make` when `showing` turns true (once: an open sheet stays the same),
// and closes it when `showing` turns false. `closed` runs when the sheet finishes by any
// route (its own buttons, Escape, the window's close), so the screen model can clear its flag.
void follow(QPointer<QDialog> &sheet, bool showing, const std::function<QDialog *()> &make,
            const std::function<void()> &closed = {});

// A window-modal warning with "取消" (the default and Escape button) and a destructive button.
// `answered` is called once with true only when the destructive button was pressed.
QMessageBox *confirm(QWidget *parent, const QString &title, const QString &message,
                     const QString &destructiveText, const std::function<void(bool confirmed)> &answered);

// follow() for a confirmation alert.
void followConfirmation(QPointer<QDialog> &alert, bool showing, QWidget *parent, const QString &title,
                        const QString &message, const QString &destructiveText,
                        const std::function<void(bool confirmed)> &answered);

} // namespace Sheets
