// SPDX-License-Identifier: GPL-3.0-or-later
#include "LedgerCategories.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct CategoryRow {
    const char16_t *name;
    bool income;
    const char16_t *icon;
};

// The one table of categories. Several categories share an icon.
constexpr std::array<CategoryRow, 60> rows{{
    {u"餐饮", false, u"fork.knife"},
    {u"购物", false, u"bag.fill"},
    {u"日用", false, u"toiletpaper.fill"},
    {u"交通", false, u"tram.fill"},
    {u"蔬菜", false, u"carrot.fill"},
    {u"饮品", false, u"cup.and.saucer.fill"},
    {u"水果", false, u"watermelon.fill"},
    {u"零食", false, u"birthday.cake.fill"},
    {u"服饰", false, u"tshirt.fill"},
    {u"外卖", false, u"takeoutbag.and.cup.and.straw.fill"},
    {u"买菜", false, u"basket.fill"},
    {u"运动", false, u"figure.strengthtraining.traditional"},
    {u"娱乐", false, u"music.note"},
    {u"话费", false, u"phone.fill"},
    {u"美容", false, u"sparkles"},
    {u"房租", false, u"house.fill"},
    {u"房贷", false, u"building.columns.fill"},
    {u"住房", false, u"building.2.fill"},
    {u"社交", false, u"person.2.fill"},
    {u"礼物", false, u"gift.fill"},
    {u"旅行", false, u"airplane"},
    {u"烟酒", false, u"wineglass.fill"},
    {u"快递", false, u"shippingbox.fill"},
    {u"追星", false, u"star.fill"},
    {u"游戏", false, u"gamecontroller.fill"},
    {u"数码", false, u"camera.fill"},
    {u"电影票", false, u"ticket.fill"},
    {u"汽车", false, u"car.fill"},
    {u"摩托", false, u"scooter"},
    {u"加油费", false, u"fuelpump.fill"},
    {u"医疗", false, u"cross.case.fill"},
    {u"书籍", false, u"books.vertical.fill"},
    {u"学习", false, u"graduationcap.fill"},
    {u"宠物", false, u"pawprint.fill"},
    {u"水费", false, u"drop.fill"},
    {u"电费", false, u"bolt.fill"},
    {u"燃气费", false, u"flame.fill"},
    {u"育儿", false, u"figure.and.child.holdinghands"},
    {u"长辈", false, u"figure.and.child.holdinghands"},
    {u"租赁", false, u"key.fill"},
    {u"办公", false, u"laptopcomputer"},
    {u"维修", false, u"wrench.and.screwdriver.fill"},
    {u"红包", false, u"envelope.fill"},
    {u"彩票", false, u"number.square.fill"},
    {u"捐赠", false, u"heart.fill"},
    {u"礼金", false, u"hands.and.sparkles.fill"},
    {u"转账", false, u"arrow.left.arrow.right"},
    {u"还款", false, u"creditcard.fill"},
    {u"借出", false, u"hand.raised.fill"},
    {u"麻将", false, u"square.grid.3x3.fill"},
    {u"洗衣服", false, u"washer.fill"},
    {u"其它", false, u"shippingbox.fill"},
    {u"工资", true, u"banknote.fill"},
    {u"奖金", true, u"star.fill"},
    {u"兼职副业", true, u"briefcase.fill"},
    {u"投资理财", true, u"chart.line.uptrend.xyaxis"},
    {u"报销", true, u"arrow.uturn.left.circle.fill"},
    {u"红包礼金", true, u"envelope.fill"},
    {u"退款", true, u"arrow.counterclockwise.circle.fill"},
    {u"其他收入", true, u"plus.circle.fill"},
}};

QStringList namesOf(bool income)
{
    QStringList names;
    for (const auto &row : rows) {
        if (row.income == income)
            names.append(QString::fromUtf16(row.name));
    }
    return names;
}

} // namespace

const QStringList &LedgerCategories::expenses()
{
    static const QStringList list = namesOf(false);
    return list;
}

const QStringList &LedgerCategories::incomes()
{
    static const QStringList list = namesOf(true);
    return list;
}

const QStringList &LedgerCategories::forKind(EntryKind kind)
{
    return kind == EntryKind::income ? incomes() : expenses();
}

QString LedgerCategories::firstFor(EntryKind kind)
{
    const QStringList &list = forKind(kind);
    return list.isEmpty() ? u"其它"_s : list.first();
}

QString LedgerCategories::icon(const QString &category)
{
    for (const auto &row : rows) {
        if (category == QStringView(row.name))
            return QString::fromUtf16(row.icon);
    }
    return QString::fromUtf16(fallbackIcon);
}
