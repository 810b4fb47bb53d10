// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The two button styles of the program: prominent (filled indigo) for the main action of a
// screen, bordered for secondary actions. The symbol may be empty.
namespace Buttons {

QPushButton *prominent(const QString &text, const QString &symbol, QWidget *parent);
QPushButton *bordered(const QString &text, const QString &symbol, QWidget *parent);

} // namespace Buttons
