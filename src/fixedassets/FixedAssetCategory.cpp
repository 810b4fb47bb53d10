// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetCategory.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct Row {
    QString category;
    QString icon;
};

const std::array<Row, 9> &rows()
{
    static const std::array<Row, 9> table{{
        {u"房产"_s, u"house.fill"_s},
        {u"车辆"_s, u"car.fill"_s},
        {u"电子设备"_s, u"laptopcomputer"_s},
        {u"家具家电"_s, u"lamp.table.fill"_s},
        {u"珠宝首饰"_s, u"diamond.fill"_s},
        {u"收藏品"_s, u"theatermasks.fill"_s},
        {u"摄影器材"_s, u"camera.fill"_s},
        {u"运动器材"_s, u"figure.run"_s},
        {u"其他"_s, u"shippingbox.fill"_s},
    }};
    return table;
}

} // namespace

const QStringList &FixedAssetCategory::all()
{
    static const QStringList names = [] {
        QStringList list;
        for (const Row &row : rows())
            list.append(row.category);
        return list;
    }();
    return names;
}

QString FixedAssetCategory::icon(const QString &category)
{
    for (const Row &row : rows()) {
        if (row.category == category)
            return row.icon;
    }
    return u"shippingbox.fill"_s;
}
