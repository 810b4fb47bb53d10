// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportColumnsOption.h"

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

using Field = int ColumnMapping::*;

constexpr std::array<std::pair<QStringView, Field>, 10> fields{{
    {u"date", &ColumnMapping::date},
    {u"time", &ColumnMapping::time},
    {u"amount", &ColumnMapping::amount},
    {u"income", &ColumnMapping::income},
    {u"expense", &ColumnMapping::expense},
    {u"kind", &ColumnMapping::kind},
    {u"category", &ColumnMapping::category},
    {u"note", &ColumnMapping::note},
    {u"counterparty", &ColumnMapping::counterparty},
    {u"currency", &ColumnMapping::currency},
}};

QString fieldList()
{
    QStringList names;
    for (const auto &[name, field] : fields)
        names.append(name.toString());
    return names.join(u'、');
}

QString headerText(const QStringList &header)
{
    QStringList names;
    for (qsizetype i = 0; i < header.size(); ++i)
        names.append(u"%1 %2"_s.arg(i + 1).arg(header.at(i).isEmpty() ? u"（无名）"_s : header.at(i)));
    return names.join(u" | "_s);
}

} // namespace

std::optional<ColumnMapping> ImportColumnsOption::apply(const QString &text, const QStringList &header,
                                                        ColumnMapping mapping, QString *error)
{
    bool amountSet = false;
    bool pairSet = false;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(u'=');
        const QString key = part.left(equals).trimmed().toLower();
        const auto field =
            std::find_if(fields.begin(), fields.end(), [&](const auto &named) { return named.first == key; });
        if (equals < 0 || field == fields.end()) {
            *error = u"--map 里的“%1”不是“栏目=列名”：栏目是 %2 之一。"_s.arg(part, fieldList());
            return std::nullopt;
        }
        const QString value = part.sliced(equals + 1).trimmed();
        int column = -1;
        if (value != u"-") {
            for (qsizetype i = 0; i < header.size() && column < 0; ++i) {
                if (header.at(i).trimmed().compare(value, Qt::CaseInsensitive) == 0)
                    column = int(i);
            }
            bool number = false;
            const int position = value.toInt(&number);
            if (column < 0 && number && position >= 1 && position <= header.size())
                column = position - 1;
            if (column < 0) {
                *error = u"表头里没有“%1”这一列。表头是：%2"_s.arg(value, headerText(header));
                return std::nullopt;
            }
        }
        mapping.*(field->second) = column;
        amountSet = amountSet || field->second == &ColumnMapping::amount;
        pairSet =
            pairSet || field->second == &ColumnMapping::income || field->second == &ColumnMapping::expense;
    }
    if (amountSet && !pairSet)
        mapping.income = mapping.expense = -1;
    if (pairSet && !amountSet)
        mapping.amount = -1;
    return mapping;
}

std::optional<ImportDateOrder> ImportColumnsOption::dateOrder(const QString &text)
{
    if (text == u"dmy")
        return ImportDateOrder::dayFirst;
    if (text == u"mdy")
        return ImportDateOrder::monthFirst;
    return std::nullopt;
}

QString ImportColumnsOption::missingColumns(const QString &fileName, const QStringList &header,
                                            const ColumnMapping &guess)
{
    const auto nameOf = [&](int column, const QString &fallback) {
        return column >= 0 && column < header.size() ? header.at(column) : fallback;
    };
    return u"“%1”：看不出日期和金额在哪一列，没有导入。\n表头：%2\n请用 --map 指明，例如：\n"
           "  pennyloom import \"%1\" --map date=%3,amount=%4\n"
           "收入和支出分两列时用 income= 与 expense=；栏目有 %5。"_s.arg(
               fileName, headerText(header), nameOf(guess.date, u"日期列名"_s),
               nameOf(guess.amount, u"金额列名"_s), fieldList());
}

QString ImportColumnsOption::ambiguousDates(const QString &fileName)
{
    return u"“%1”里的每个日期（如 03/04/2024）都既可读作日在前也可读作月在前，没有导入。\n"
           "请用 --date-order dmy（日/月/年）或 --date-order mdy（月/日/年）指明。"_s.arg(fileName);
}
