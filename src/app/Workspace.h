#pragma once

#include <QList>
#include <QString>

#include <optional>

// The eight workspaces of the sidebar, in row order. The raw value is the title.
enum class Workspace { overview, bills, statistics, receipt, savings, assets, fixedAssets, settings };

namespace Workspaces {

const QList<Workspace> &allCases();
QString title(Workspace workspace);
// Accepts exactly the eight titles.
std::optional<Workspace> fromTitle(const QString &title);
// Icon identifier, looked up by title.
QString icon(Workspace workspace);

} // namespace Workspaces
