// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The eight workspaces of the sidebar, in row order. The raw value is the title.
enum class Workspace { overview, bills, statistics, receipt, savings, assets, fixedAssets, settings };

namespace Workspaces {

const QList<Workspace> &allCases();
QString title(Workspace workspace);
// Icon identifier, looked up by title.
QString icon(Workspace workspace);

} // namespace Workspaces
