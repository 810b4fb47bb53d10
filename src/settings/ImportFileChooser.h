// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Which file to import: the desktop's open dialog for bills and tables. Tests answer it
// themselves.
class ImportFileChooser {
public:
    virtual ~ImportFileChooser();

    // A modal open dialog for CSV files and workbooks; empty when cancelled.
    virtual QString choose(QWidget *parent);
};
