// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QVBoxLayout;
class QWidget;

// The body of a workspace that scrolls vertically: the page fills the screen on the given
// background, never scrolls sideways, and takes the screen's content.
namespace ScrollPage {

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
