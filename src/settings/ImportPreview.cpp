// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportPreview.h"

#include "import/ImportReader.h"
#include "model/EntryKind.h"
#include "model/EntryRules.h"
#include "store/PossibleDuplicates.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// An import stores only what the forms would: a row past their limits (an amount of a trillion
// yuan or more, a note longer than they take, a date outside the years 1 to 9999) is a line
// that cannot be read, with the forms' own reason, and the other lines still come in.
void keepWhatTheFormsAccept(ImportResult &result)
{
    const size_t before = result.errors.size();
    std::erase_if(result.rows, [&](const ImportRow &row) {
        const std::optional<QString> problem = EntryRules::problem(ImportPreview::storeRow(row).entry);
        if (problem)
            result.errors.push_back({row.line, *problem});
        return problem.has_value();
    });
    if (result.errors.size() != before)
        std::stable_sort(result.errors.begin(), result.errors.end(),
                         [](const ImportRowError &a, const ImportRowError &b) { return a.line < b.line; });
}

} // namespace

ColumnMapping ImportPreview::mappingFor(const ModelStore *store, const ImportFile &file)
{
    // An empty text is no mapping remembered, not a mapping of no columns.
    const QString remembered = store ? store->importMapping(file.headerKey()) : QString();
    if (!remembered.isEmpty()) {
        if (const std::optional<ColumnMapping> mapping = ColumnMapping::fromText(remembered))
            return *mapping;
    }
    return file.guessedMapping();
}

namespace {

// The store keeps column mappings by a hash of their header line; the file categories share
// that table under a key no hash takes.
const QString fileCategoriesKey = u"file-categories"_s;

} // namespace

QHash<QString, QString> ImportPreview::fileCategories(const ModelStore *store)
{
    QHash<QString, QString> chosen;
    if (!store)
        return chosen;
    const QJsonObject saved =
        QJsonDocument::fromJson(store->importMapping(fileCategoriesKey).toUtf8()).object();
    for (auto it = saved.begin(); it != saved.end(); ++it) {
        if (it.value().isString())
            chosen.insert(it.key(), it.value().toString());
    }
    return chosen;
}

bool ImportPreview::rememberFileCategory(ModelStore &store, const QString &fileCategory, const QString &ours)
{
    QJsonObject saved = QJsonDocument::fromJson(store.importMapping(fileCategoriesKey).toUtf8()).object();
    saved.insert(fileCategory, ours);
    return store.setImportMapping(fileCategoriesKey,
                                  QString::fromUtf8(QJsonDocument(saved).toJson(QJsonDocument::Compact)));
}

ImportCategorizer ImportPreview::categorizer(const ModelStore *store)
{
    if (!store)
        return {};
    // A copy: the rules may change while the preview lives (the sheet adds one), and the
    // categoriser must not read the store's vector as it is being rewritten.
    QHash<QString, QString> rules;
    for (const CategoryRule &rule : store->categoryRules())
        rules.insert(rule.kindRaw + u'\n' + rule.counterparty, rule.category);
    ImportCategorizer categorizer(
        [rules](const QString &counterparty, EntryKind kind) -> std::optional<QString> {
            const auto found = rules.constFind(EntryKinds::rawText(kind) + u'\n' + counterparty);
            if (found == rules.cend())
                return std::nullopt;
            return *found;
        });
    categorizer.setFileCategories(fileCategories(store));
    categorizer.setMemory(CategoryMemory::of(*store));
    return categorizer;
}

ModelStore::ImportRow ImportPreview::storeRow(const ImportRow &row)
{
    return {LedgerEntry(row.amount(), row.time, row.kind, row.category, row.note),
            ImportSources::id(row.source), row.transactionId};
}

ImportPreview ImportPreview::read(const ModelStore *store, const ImportFile &file,
                                  const std::optional<ColumnMapping> &mapping, ImportDateOrder dateOrder)
{
    std::optional<ColumnMapping> used;
    if (file.ok() && file.layout == ImportFile::Layout::table)
        used = mapping ? *mapping : mappingFor(store, file);
    return classify(store, readRows(file, categorizer(store), used, dateOrder), used);
}

ImportResult ImportPreview::readRows(const ImportFile &file, const ImportCategorizer &categorizer,
                                     const std::optional<ColumnMapping> &mapping, ImportDateOrder dateOrder)
{
    ImportResult result;
    if (!file.ok()) {
        result.fileError = file.error;
        return result;
    }
    result = ImportReader::read(file, categorizer, mapping, dateOrder);
    keepWhatTheFormsAccept(result);
    return result;
}

ImportPreview ImportPreview::classify(const ModelStore *store, ImportResult read,
                                      std::optional<ColumnMapping> mapping)
{
    ImportPreview preview;
    preview.m_mapping = std::move(mapping);
    preview.m_result = std::move(read);
    if (!preview.m_result.ok())
        return preview;
    const std::vector<ImportRow> &rows = preview.m_result.rows;
    preview.m_statuses.assign(rows.size(), Status::fresh);
    // Lines with a transaction id are known by it; the others can only look like an entry.
    const bool anyWithoutId = std::any_of(rows.begin(), rows.end(),
                                          [](const ImportRow &row) { return row.transactionId.isEmpty(); });
    std::optional<PossibleDuplicates> lookalikes;
    if (anyWithoutId && store)
        lookalikes.emplace(store->entries());
    // A line that repeats an earlier one of the file in source, id, kind, amount and time is
    // the same line twice, and the write passes it over as imported: the preview says so too.
    QSet<QString> seen;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ImportRow &row = rows[i];
        const ModelStore::ImportRow written = storeRow(row);
        if (!row.transactionId.isEmpty()) {
            const QString line =
                written.source + u'\n' + ImportTables::lineId(written.transactionID, written.entry);
            if ((store && store->isImported(written)) || seen.contains(line))
                preview.m_statuses[i] = Status::alreadyImported;
            seen.insert(line);
        } else if (lookalikes && !lookalikes->match(written.entry).isNull()) {
            preview.m_statuses[i] = Status::possibleDuplicate;
        }
    }
    return preview;
}

int ImportPreview::count(Status status) const
{
    return int(std::count(m_statuses.begin(), m_statuses.end(), status));
}

std::vector<ModelStore::ImportRow> ImportPreview::freshRows() const
{
    std::vector<ModelStore::ImportRow> rows;
    rows.reserve(m_statuses.size());
    for (size_t i = 0; i < m_statuses.size(); ++i) {
        if (m_statuses[i] == Status::fresh)
            rows.push_back(storeRow(m_result.rows[i]));
    }
    return rows;
}
