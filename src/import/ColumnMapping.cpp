// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColumnMapping.h"

#include <QCryptographicHash>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

using Field = int ColumnMapping::*;

struct FieldName {
    Field field;
    const char16_t *key;
};

constexpr std::array<FieldName, 10> fieldNames{{
    {&ColumnMapping::date, u"date"},
    {&ColumnMapping::time, u"time"},
    {&ColumnMapping::amount, u"amount"},
    {&ColumnMapping::income, u"income"},
    {&ColumnMapping::expense, u"expense"},
    {&ColumnMapping::kind, u"kind"},
    {&ColumnMapping::category, u"category"},
    {&ColumnMapping::note, u"note"},
    {&ColumnMapping::counterparty, u"counterparty"},
    {&ColumnMapping::currency, u"currency"},
}};

constexpr QStringView expensePositiveKey = u"expensePositive";

struct HeaderWords {
    Field field;
    QStringList words;
};

// Tried in this order, each against every column; the first field a column matches takes
// it. Whole names first, then names containing a word, so 「交易金额」 is the amount and
// 「收入金额」 the income.
const std::array<HeaderWords, 10> &headerWords()
{
    static const std::array<HeaderWords, 10> words{{
        {&ColumnMapping::income,
         {u"收入"_s, u"收入金额"_s, u"存入"_s, u"存入金额"_s, u"贷方"_s, u"贷方金额"_s, u"贷方发生额"_s,
          u"还款金额"_s, u"credit"_s, u"credits"_s, u"deposit"_s, u"deposits"_s, u"income"_s, u"paid in"_s}},
        {&ColumnMapping::expense,
         {u"支出"_s, u"支出金额"_s, u"支取"_s, u"支取金额"_s, u"取出"_s, u"取出金额"_s, u"借方"_s,
          u"借方金额"_s, u"借方发生额"_s, u"消费金额"_s, u"debit"_s, u"debits"_s, u"withdrawal"_s,
          u"withdrawals"_s, u"expense"_s, u"paid out"_s}},
        {&ColumnMapping::amount,
         {u"金额"_s, u"交易金额"_s, u"发生额"_s, u"入账金额"_s, u"记账金额"_s, u"amount"_s, u"sum"_s}},
        {&ColumnMapping::kind, {u"收/支"_s, u"收支"_s, u"收支类型"_s, u"借贷"_s, u"借贷标志"_s, u"type"_s}},
        {&ColumnMapping::date,
         {u"日期"_s, u"交易日"_s, u"交易日期"_s, u"记账日"_s, u"记账日期"_s, u"入账日"_s, u"入账日期"_s,
          u"交易时间"_s, u"时间"_s, u"date"_s, u"transaction date"_s, u"posting date"_s, u"booking date"_s,
          u"value date"_s}},
        {&ColumnMapping::time, {u"时间"_s, u"交易时间"_s, u"time"_s}},
        {&ColumnMapping::currency,
         {u"币种"_s, u"币别"_s, u"货币"_s, u"入账币种"_s, u"记账币种"_s, u"交易币种"_s, u"currency"_s,
          u"ccy"_s}},
        {&ColumnMapping::category, {u"分类"_s, u"类别"_s, u"交易分类"_s, u"交易类型"_s, u"category"_s}},
        {&ColumnMapping::counterparty,
         {u"对方"_s, u"交易对方"_s, u"对方户名"_s, u"对方名称"_s, u"商户"_s, u"商户名称"_s, u"payee"_s,
          u"counterparty"_s}},
        {&ColumnMapping::note,
         {u"备注"_s, u"摘要"_s, u"交易摘要"_s, u"说明"_s, u"交易描述"_s, u"描述"_s, u"用途"_s, u"附言"_s,
          u"商品"_s, u"商品说明"_s, u"note"_s, u"memo"_s, u"description"_s, u"details"_s}},
    }};
    return words;
}

// Lower case, without blanks, quotes or a unit such as (元) or （元）.
QString normalised(const QString &name)
{
    QString text = name.trimmed().toLower();
    for (const QString &unit : {u"(元)"_s, u"（元）"_s, u"(rmb)"_s, u"(cny)"_s})
        text.remove(unit);
    text.remove(u'"');
    return text.simplified();
}

} // namespace

bool ColumnMapping::isComplete() const
{
    return date >= 0 && (amount >= 0 || income >= 0 || expense >= 0);
}

QString ColumnMapping::toText() const
{
    QStringList parts;
    for (const FieldName &name : fieldNames)
        parts.append(u"%1=%2"_s.arg(QStringView(name.key)).arg(this->*name.field));
    parts.append(u"%1=%2"_s.arg(expensePositiveKey).arg(expensePositive ? 1 : 0));
    return parts.join(u';');
}

std::optional<ColumnMapping> ColumnMapping::fromText(const QString &text)
{
    ColumnMapping mapping;
    for (const QString &part : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals < 0)
            return std::nullopt;
        const QStringView key = QStringView(part).left(equals);
        bool ok = false;
        const int column = QStringView(part).sliced(equals + 1).toInt(&ok);
        if (!ok || column < -1)
            return std::nullopt;
        if (key == expensePositiveKey) {
            if (column != 0 && column != 1)
                return std::nullopt;
            mapping.expensePositive = column == 1;
            continue;
        }
        bool known = false;
        for (const FieldName &name : fieldNames) {
            if (key == QStringView(name.key)) {
                mapping.*name.field = column;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return mapping;
}

ColumnMapping ColumnMapping::guess(const QStringList &header)
{
    ColumnMapping mapping;
    QStringList names;
    for (const QString &name : header)
        names.append(normalised(name));
    std::vector<bool> taken(static_cast<size_t>(names.size()), false);
    for (const bool whole : {true, false}) {
        for (const HeaderWords &row : headerWords()) {
            if (mapping.*row.field >= 0)
                continue;
            // Word by word, so a column named with an earlier word wins (「日期」 before 「时间」).
            for (const QString &word : row.words) {
                for (qsizetype column = 0; column < names.size() && mapping.*row.field < 0; ++column) {
                    const QString &name = names.at(column);
                    if (!taken[static_cast<size_t>(column)] && (whole ? name == word : name.contains(word))) {
                        mapping.*row.field = static_cast<int>(column);
                        taken[static_cast<size_t>(column)] = true;
                    }
                }
            }
        }
    }
    // One signed amount column, or income and expense columns; never both.
    if (mapping.amount >= 0 && mapping.income >= 0 && mapping.expense >= 0)
        mapping.amount = -1;
    // A card's statement says which way its one amount runs: 「交易金额（消费为正）」,
    // 「消费/还款」.
    if (mapping.amount >= 0 && mapping.income < 0 && mapping.expense < 0 && mapping.kind < 0)
        mapping.expensePositive = std::any_of(names.cbegin(), names.cend(), [](const QString &name) {
            return name.contains(u"消费") || name.contains(u"还款");
        });
    return mapping;
}

QString ColumnMapping::headerKey(const QStringList &header)
{
    QStringList names;
    for (const QString &name : header)
        names.append(name.trimmed().toCaseFolded());
    return QString::fromLatin1(
        QCryptographicHash::hash(names.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1).toHex());
}
