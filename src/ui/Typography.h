// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QColor;
class QLabel;
class QWidget;

// The few text styles of the program, so every screen sizes its titles alike.
namespace Typography {

// Dimmed text for captions, subtitles and descriptions.
QLabel *secondaryLabel(const QString &text, QWidget *parent);
void makeSecondary(QLabel *label);
// Bold text slightly larger than body text: section headings.
void makeHeadline(QWidget *widget);
// Bold text of a fixed pixel size: screen and sheet titles.
void makeTitle(QWidget *widget, int pixelSize);

// Colours a label's text through its palette.
void setTextColour(QLabel *label, const QColor &colour);

} // namespace Typography
