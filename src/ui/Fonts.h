// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// Font variants derived from a widget's or painter's base font, so text sizes follow the
// user's font setting. Fonts sized in pixels keep their size and change only their weight.
namespace Fonts {

QFont scaled(QFont font, qreal factor, QFont::Weight weight = QFont::Normal);
QFont withWeight(QFont font, QFont::Weight weight);
// The caption size: a little smaller than body text.
QFont caption(QFont font, QFont::Weight weight = QFont::Normal);

} // namespace Fonts
