// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QScrollArea;
class QVBoxLayout;
class QWidget;

// The body of a workspace that scrolls vertically: the page fills the screen on the given
// background, never scrolls sideways, and takes the screen's content.
namespace ScrollPage {

// A scroll area that Tab stops at, so the arrow and page keys scroll it, and that shows an
// outline round itself while it has the keyboard. A click does not take the focus to it.
void markFocus(QScrollArea *scroll);

// Fills the screen with a scroll area and returns the page inside it, to lay content on.
QWidget *fill(QWidget *screen, const QColor &background);

// A scrolling page on the window background holding one column of content, centred and as
// wide as the screen allows up to maximumWidth, with the padding on every side.
struct Column {
    QWidget *content;
    QVBoxLayout *layout;
};
Column centredColumn(QWidget *screen, int padding, int maximumWidth, int spacing);

} // namespace ScrollPage
