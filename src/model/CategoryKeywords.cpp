// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryKeywords.h"

#include <QList>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

struct KeywordRow {
    QString category;
    QStringList keywords;
};

// Rows are tested in order and the first hit wins, so a row placed earlier shadows any
// later row that shares a keyword substring (「面包」 is food, not the bag of 「包」).
const QList<KeywordRow> &expenseRows()
{
    static const QList<KeywordRow> rows{
        {u"餐饮"_s,
         {u"吃"_s, u"饭"_s, u"面包"_s, u"咖啡"_s, u"奶茶"_s, u"早餐"_s, u"午餐"_s, u"晚餐"_s, u"餐厅"_s}},
        {u"外卖"_s, {u"外卖"_s}},
        {u"买菜"_s, {u"买菜"_s, u"超市"_s}},
        {u"蔬菜"_s, {u"蔬菜"_s}},
        {u"水果"_s, {u"水果"_s}},
        {u"零食"_s, {u"零食"_s}},
        {u"饮品"_s, {u"饮料"_s, u"可乐"_s, u"矿泉水"_s}},
        {u"交通"_s, {u"地铁"_s, u"公交"_s, u"火车"_s, u"高铁"_s, u"打车"_s, u"滴滴"_s, u"出租"_s}},
        {u"加油费"_s, {u"加油"_s}},
        {u"汽车"_s, {u"停车"_s, u"洗车"_s, u"车险"_s}},
        {u"房租"_s, {u"房租"_s, u"租金"_s}},
        {u"房贷"_s, {u"房贷"_s}},
        {u"水费"_s, {u"水费"_s}},
        {u"电费"_s, {u"电费"_s}},
        {u"燃气费"_s, {u"燃气"_s}},
        {u"话费"_s, {u"话费"_s, u"流量"_s, u"宽带"_s}},
        {u"数码"_s, {u"会员"_s, u"订阅"_s, u"软件"_s, u"云盘"_s, u"数码"_s}},
        {u"服饰"_s, {u"衣服"_s, u"裤子"_s, u"鞋"_s, u"包"_s}},
        {u"美容"_s, {u"护肤"_s, u"化妆"_s, u"口红"_s, u"面膜"_s}},
        {u"医疗"_s, {u"医院"_s, u"药"_s, u"体检"_s, u"牙"_s}},
        {u"运动"_s, {u"健身"_s, u"游泳"_s, u"跑步"_s}},
        {u"宠物"_s, {u"宠物"_s, u"猫"_s, u"狗"_s, u"猫粮"_s, u"狗粮"_s}},
        {u"学习"_s, {u"课程"_s, u"培训"_s, u"学费"_s}},
        {u"书籍"_s, {u"书"_s, u"教材"_s}},
        {u"礼金"_s, {u"请客"_s, u"随礼"_s, u"礼金"_s}},
        {u"旅行"_s, {u"酒店"_s, u"机票"_s, u"旅行"_s, u"民宿"_s}},
        {u"娱乐"_s, {u"电影"_s, u"演出"_s, u"KTV"_s}},
        {u"游戏"_s, {u"游戏"_s}},
        {u"礼物"_s, {u"礼物"_s}},
        {u"捐赠"_s, {u"捐"_s, u"赠"_s}},
        {u"转账"_s, {u"转账"_s}},
        {u"还款"_s, {u"还款"_s}},
    };
    return rows;
}

const QList<KeywordRow> &incomeRows()
{
    static const QList<KeywordRow> rows{
        {u"工资"_s, {u"工资"_s, u"薪水"_s}},
        {u"奖金"_s, {u"奖金"_s, u"提成"_s}},
        {u"兼职副业"_s, {u"兼职"_s, u"副业"_s, u"稿费"_s}},
        {u"投资理财"_s, {u"理财"_s, u"基金"_s, u"股票"_s, u"利息"_s}},
        {u"报销"_s, {u"报销"_s}},
        {u"红包礼金"_s, {u"红包"_s, u"礼金"_s}},
        {u"退款"_s, {u"退款"_s, u"退回"_s}},
    };
    return rows;
}

} // namespace

std::optional<QString> CategoryKeywords::categoryFor(const QString &text, EntryKind kind)
{
    const QList<KeywordRow> &rows = kind == EntryKind::income ? incomeRows() : expenseRows();
    for (const KeywordRow &row : rows) {
        for (const QString &keyword : row.keywords) {
            if (text.contains(keyword, Qt::CaseInsensitive))
                return row.category;
        }
    }
    return std::nullopt;
}

QString CategoryKeywords::fallback(EntryKind kind)
{
    return kind == EntryKind::income ? u"其他收入"_s : u"其它"_s;
}
