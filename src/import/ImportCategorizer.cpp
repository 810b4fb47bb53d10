// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCategorizer.h"

#include "ImportRow.h"
#include "model/CategoryKeywords.h"
#include "model/CategoryWordTable.h"
#include "model/LedgerCategories.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct SourceCategory {
    const char16_t *source;
    EntryKind kind;
    const char16_t *ours;
};

// The payment services' own categories that plainly are one of ours. Anything broader
// (商业服务, 生活服务, 充值缴费, 转账红包) is left to the fallback.
constexpr std::array<SourceCategory, 26> sourceCategories{{
    {u"餐饮美食", EntryKind::expense, u"餐饮"},    {u"交通出行", EntryKind::expense, u"交通"},
    {u"日用百货", EntryKind::expense, u"日用"},    {u"服饰装扮", EntryKind::expense, u"服饰"},
    {u"美容美发", EntryKind::expense, u"美容"},    {u"医疗健康", EntryKind::expense, u"医疗"},
    {u"教育培训", EntryKind::expense, u"学习"},    {u"文化休闲", EntryKind::expense, u"娱乐"},
    {u"运动户外", EntryKind::expense, u"运动"},    {u"住房物业", EntryKind::expense, u"住房"},
    {u"数码电器", EntryKind::expense, u"数码"},    {u"酒店旅游", EntryKind::expense, u"旅行"},
    {u"爱车养车", EntryKind::expense, u"汽车"},    {u"宠物", EntryKind::expense, u"宠物"},
    {u"母婴亲子", EntryKind::expense, u"育儿"},    {u"公益捐赠", EntryKind::expense, u"捐赠"},
    {u"信用借还", EntryKind::expense, u"还款"},    {u"信用卡还款", EntryKind::expense, u"还款"},
    {u"微信红包", EntryKind::expense, u"红包"},    {u"转账", EntryKind::expense, u"转账"},
    {u"微信红包", EntryKind::income, u"红包礼金"}, {u"红包", EntryKind::income, u"红包礼金"},
    {u"退款", EntryKind::income, u"退款"},         {u"投资理财", EntryKind::income, u"投资理财"},
    {u"工资", EntryKind::income, u"工资"},         {u"报销", EntryKind::income, u"报销"},
}};

bool isOurs(const QString &category, EntryKind kind)
{
    return LedgerCategories::forKind(kind).contains(category);
}

} // namespace

ImportCategorizer::ImportCategorizer(CounterpartyRule rule) : m_rule(std::move(rule)) {}

ImportCategorizer ImportCategorizer::fromTable(const QHash<QString, QString> &categoryByCounterparty)
{
    return ImportCategorizer(
        [categoryByCounterparty](const QString &counterparty, EntryKind) -> std::optional<QString> {
            const auto found = categoryByCounterparty.constFind(counterparty.trimmed());
            if (found == categoryByCounterparty.cend())
                return std::nullopt;
            return found.value();
        });
}

std::optional<QString> ImportCategorizer::mappedSourceCategory(const QString &sourceCategory, EntryKind kind)
{
    const QString text = sourceCategory.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const SourceCategory &row : sourceCategories) {
        if (row.kind == kind && text == QStringView(row.source))
            return QString::fromUtf16(row.ours);
    }
    // A file whose category column already uses our names.
    if (isOurs(text, kind))
        return text;
    // Another program's name for it ("Groceries", "早午晚餐").
    return CategoryWordTable::peerNames().nameOf(text, kind);
}

void ImportCategorizer::setFileCategories(const QHash<QString, QString> &ourCategoryByFileCategory)
{
    m_fileCategories = ourCategoryByFileCategory;
}

std::optional<QString> ImportCategorizer::fileCategory(const QString &fileCategory, EntryKind kind) const
{
    const QString name = fileCategory.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    if (const auto chosen = m_fileCategories.constFind(name);
        chosen != m_fileCategories.cend() && isOurs(chosen.value(), kind))
        return chosen.value();
    // "Parent:Child/Class": the class says whose or which project, not what for. The innermost
    // part that names a category wins, but a catch-all ("Groceries:Misc") only when no part
    // says more.
    const QStringList parts = name.section(u'/', 0, 0).split(u':');
    std::optional<QString> catchAll;
    for (qsizetype i = parts.size() - 1; i >= 0; --i) {
        if (std::optional<QString> ours = mappedSourceCategory(parts.at(i), kind)) {
            if (*ours != CategoryKeywords::fallback(kind))
                return ours;
            if (!catchAll)
                catchAll = std::move(ours);
        }
    }
    return catchAll;
}

void ImportCategorizer::setMemory(CategoryMemory memory)
{
    m_memory = std::move(memory);
}

QString ImportCategorizer::categoryFor(const ImportRow &row) const
{
    if (m_rule && !row.counterparty.isEmpty()) {
        if (const std::optional<QString> category = m_rule(row.counterparty, row.kind);
            category && isOurs(*category, row.kind))
            return *category;
    }
    if (!m_memory.isEmpty()) {
        // A rule names a merchant or a note exactly; the votes go by the note's words, and a
        // line's note is its merchandise, else its counterparty.
        for (const QString *text : {&row.counterparty, &row.merchandise, &row.note}) {
            if (const std::optional<QString> category = m_memory.ruleFor(*text, row.kind);
                category && isOurs(*category, row.kind))
                return *category;
        }
        for (const QString *text : {&row.merchandise, &row.counterparty}) {
            if (const std::optional<QString> category = m_memory.learnedFor(*text, row.kind);
                category && isOurs(*category, row.kind))
                return *category;
        }
    }
    const CategoryWordTable &merchants = CategoryWordTable::merchants();
    for (const QString *text : {&row.merchandise, &row.counterparty}) {
        if (const std::optional<QString> category = merchants.findIn(*text, row.kind))
            return *category;
    }
    const QString key = (row.kind == EntryKind::income ? u"+"_s : u"-"_s) + row.sourceCategory;
    auto known = m_sourceCategories.constFind(key);
    if (known == m_sourceCategories.cend()) {
        // The file's own category: a name we know outright comes before a word inside it, or
        // 「微信红包」 would be clothing by the 「包」 of a bag.
        std::optional<QString> category = mappedSourceCategory(row.sourceCategory, row.kind);
        if (!category)
            category = merchants.findIn(row.sourceCategory, row.kind);
        known = m_sourceCategories.insert(key, category.value_or(QString()));
    }
    return known->isEmpty() ? CategoryKeywords::fallback(row.kind) : *known;
}
