#pragma once

#include <QColor>

class QWidget;

// The body of a workspace that scrolls vertically: the page fills the screen on the given
// background, never scrolls sideways, and takes the screen's content.
namespace ScrollPage {

// Fills the screen with a scroll area and returns the page inside it, to lay content on.
QWidget *fill(QWidget *screen, const QColor &background);

} // namespace ScrollPage
