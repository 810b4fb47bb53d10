// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Where a saved workbook goes and how it is shown: a chooser of a destination path and the
// reveal in the file viewer. Tests answer the chooser themselves.
class ExportDestination {
public:
    virtual ~ExportDestination();

    // A modal save dialog for spreadsheets proposing the path; empty when cancelled.
    virtual QString choose(QWidget *parent, const QString &proposedPath);
    // Shows the file selected in the file viewer, or at least its folder.
    virtual void reveal(const QString &path);
};
