// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QAbstractItemView;
class QLineEdit;
class QModelIndex;
class QPushButton;
class SegmentedControl;
class QWidget;

// Helpers for tests that drive the program's widgets.
namespace TestSupport {

// After the application object exists: the program's fonts and palette.
void prepareWidgets();

// Types text into a widget key by key. QTest::keyClicks handles Latin-1 only; other
// characters arrive as key events carrying the text, the way a committed input-method
// character reaches the field.
void typeText(QWidget *widget, const QString &text);
// Replaces the whole text of a field the way a user does: select all, delete, type.
void retype(QLineEdit *field, const QString &text);

// Clicks the segment that shows the text, as a user picks it; fails the test when there is none.
void clickSegment(SegmentedControl *control, const QString &text);

// The push button of a dialog or alert that shows the text, or nullptr.
QPushButton *buttonOf(QWidget *dialog, const QString &text);

// The names of the widget's accessible children, as assistive technology reads them.
QStringList accessibleChildNames(QWidget *widget);
// The actions assistive technology offers on the widget's accessible child.
QStringList accessibleActions(QWidget *widget, int child);
// Does an action of the widget's accessible child as assistive technology does; false when the
// child has no such action.
bool doAccessibleAction(QWidget *widget, int child, const QString &action);

// Whether the view, once it has the focus, marks its current row though the row is not chosen,
// as it is after Tab brings the keyboard there.
bool marksKeyboardRow(QAbstractItemView *view, const QModelIndex &row);

// Saves a picture of the widget as NAME.png when PENNYLOOM_SCREENSHOT_DIR names a folder, so
// the screens can be looked at after a test run.
void screenshot(QWidget *widget, const QString &name);

} // namespace TestSupport
