// SPDX-License-Identifier: GPL-3.0-or-later
#include "Workspace.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Row {
    Workspace workspace;
    const char16_t *title;
    const char16_t *icon;
};

constexpr std::array<Row, 8> rows{{
    {Workspace::overview, u"概览", u"rectangle.grid.2x2.fill"},
    {Workspace::bills, u"账单", u"list.bullet.rectangle"},
    {Workspace::statistics, u"统计", u"chart.xyaxis.line"},
    {Workspace::receipt, u"小票机", u"printer.fill"},
    {Workspace::savings, u"存钱", u"banknote.fill"},
    {Workspace::assets, u"资产管理", u"chart.pie.fill"},
    {Workspace::fixedAssets, u"固定资产管理", u"building.2.crop.circle"},
    {Workspace::settings, u"设置", u"gearshape.fill"},
}};

} // namespace

const QList<Workspace> &Workspaces::allCases()
{
    static const QList<Workspace> cases = [] {
        QList<Workspace> list;
        for (const Row &row : rows)
            list.append(row.workspace);
        return list;
    }();
    return cases;
}

QString Workspaces::title(Workspace workspace)
{
    return QString::fromUtf16(rows[static_cast<size_t>(workspace)].title);
}

QString Workspaces::icon(Workspace workspace)
{
    const QString name = title(workspace);
    for (const Row &row : rows) {
        if (name == QStringView(row.title))
            return QString::fromUtf16(row.icon);
    }
    return {};
}
