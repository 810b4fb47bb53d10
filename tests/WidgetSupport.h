// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;
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

// Saves a picture of the widget as NAME.png when PENNYLOOM_SCREENSHOT_DIR names a folder, so
// the screens can be looked at after a test run.
void screenshot(QWidget *widget, const QString &name);

} // namespace TestSupport
