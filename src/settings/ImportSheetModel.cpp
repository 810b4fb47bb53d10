// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportSheetModel.h"

#include "import/ImportReader.h"
#include "import/OffThread.h"
#include "model/LedgerCategories.h"
#include "store/ModelStore.h"

#include <QFileInfo>
#include <QLocale>

using namespace Qt::StringLiterals;

ImportSheetModel::ImportSheetModel(ModelStore &store, const QString &path, QObject *parent)
    : QObject(parent), m_store(store)
{
    auto named = std::make_shared<ImportFile>();
    named->fileName = QFileInfo(path).fileName();
    m_file = std::move(named);
    m_reading = true;
    const quint64 read = ++m_reads;
    OffThread::run<ImportFile>(
        this, [path] { return ImportFile::load(path); },
        [this, read](ImportFile file) {
            if (read != m_reads)
                return;
            m_file = std::make_shared<const ImportFile>(std::move(file));
            m_loaded = true;
            reread(std::nullopt);
        });
}

QString ImportSheetModel::sourceText() const
{
    switch (m_file->layout) {
    case ImportFile::Layout::wechat:
        return u"微信支付"_s;
    case ImportFile::Layout::alipay:
    case ImportFile::Layout::alipayOlder:
        return u"支付宝"_s;
    case ImportFile::Layout::qif:
        return u"QIF 文件"_s;
    case ImportFile::Layout::ofx:
        return u"OFX 对账单"_s;
    case ImportFile::Layout::table:
        break;
    }
    return m_file->table.fromWorkbook ? u"其他 xlsx 表格"_s : u"其他 CSV 表格"_s;
}

bool ImportSheetModel::needsMapping() const
{
    return m_loaded && m_file->ok() && m_file->layout == ImportFile::Layout::table;
}

void ImportSheetModel::setMapping(const ColumnMapping &mapping)
{
    if (!needsMapping() || mapping == this->mapping())
        return;
    reread(mapping);
}

void ImportSheetModel::setColumn(int ColumnMapping::*field, int column)
{
    ColumnMapping changed = mapping();
    changed.*field = column;
    if (column >= 0 && field == &ColumnMapping::amount)
        changed.income = changed.expense = -1;
    if (column >= 0 && (field == &ColumnMapping::income || field == &ColumnMapping::expense))
        changed.amount = -1;
    setMapping(changed);
}

void ImportSheetModel::setExpensePositive(bool expensePositive)
{
    ColumnMapping changed = mapping();
    changed.expensePositive = expensePositive;
    setMapping(changed);
}

void ImportSheetModel::setDateOrder(ImportDateOrder order)
{
    if (order == m_dateOrder)
        return;
    m_dateOrder = order;
    const std::optional<ColumnMapping> mapping = m_mapping;
    reread(mapping);
}

bool ImportSheetModel::mapFileCategory(const QString &fileCategory, const QString &ours)
{
    if (!ImportPreview::rememberFileCategory(m_store, fileCategory, ours))
        return false;
    const std::optional<ColumnMapping> mapping = m_mapping;
    reread(mapping);
    return true;
}

QString ImportSheetModel::takeBeforeDamageText() const
{
    return u"仍导入损坏处之前的 %1 行"_s.arg(QLocale().toString(rowsBeforeDamage()));
}

void ImportSheetModel::setTakeBeforeDamage(bool take)
{
    if (rowsBeforeDamage() == 0 || take == m_takeBeforeDamage)
        return;
    m_takeBeforeDamage = take;
    const std::optional<ColumnMapping> mapping = m_preview.mapping();
    reread(mapping);
}

void ImportSheetModel::reread(const std::optional<ColumnMapping> &mapping)
{
    // What needs the store is taken here; the worker reads the file's rows with it.
    m_mapping.reset();
    if (needsMapping())
        m_mapping = mapping ? *mapping : ImportPreview::mappingFor(&m_store, *m_file);
    const bool wasReading = m_reading;
    m_reading = true;
    const quint64 read = ++m_reads;
    if (!wasReading) {
        Q_EMIT readingStarted();
        Q_EMIT tickedCountChanged();
    }
    OffThread::run<ImportResult>(
        this,
        [file = m_file, categorizer = ImportPreview::categorizer(&m_store), mapping = m_mapping,
         order = m_dateOrder, take = m_takeBeforeDamage] {
            if (file->takeBeforeDamage == take)
                return ImportPreview::readRows(*file, categorizer, mapping, order);
            // Only a damaged sheet's rows before the damage are taken, a small file's copy.
            ImportFile chosen = *file;
            chosen.takeBeforeDamage = take;
            return ImportPreview::readRows(chosen, categorizer, mapping, order);
        },
        [this, read](ImportResult result) {
            if (read == m_reads)
                showRows(std::move(result));
        });
}

void ImportSheetModel::showRows(ImportResult result)
{
    m_reading = false;
    m_preview = ImportPreview::classify(&m_store, std::move(result), m_mapping);
    std::vector<ImportRow> read = m_preview.takeRows();
    m_rows.clear();
    m_rows.reserve(read.size());
    m_ticked = 0;
    for (size_t i = 0; i < read.size(); ++i) {
        const ImportPreview::Status status = m_preview.statuses()[i];
        const bool ticked = status == ImportPreview::Status::fresh;
        m_ticked += ticked ? 1 : 0;
        m_rows.push_back({std::move(read[i]), status, ticked});
    }
    m_offer.reset();
    Q_EMIT reset();
    Q_EMIT tickedCountChanged();
    Q_EMIT ruleOfferChanged();
}

QStringList ImportSheetModel::problems() const
{
    QStringList lines;
    for (const ImportRowError &error : m_preview.result().errors)
        lines.append(ImportReader::describe(m_file->fileName, error));
    return lines;
}

QString ImportSheetModel::confirmText() const
{
    return u"导入 %1 笔"_s.arg(QLocale().toString(m_ticked));
}

bool ImportSheetModel::setTicked(int row, bool ticked)
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return false;
    Row &target = m_rows[size_t(row)];
    if (target.status == ImportPreview::Status::alreadyImported)
        return false;
    if (target.ticked == ticked)
        return true;
    target.ticked = ticked;
    m_ticked += ticked ? 1 : -1;
    Q_EMIT rowChanged(row);
    Q_EMIT tickedCountChanged();
    return true;
}

bool ImportSheetModel::setCategory(int row, const QString &category)
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return false;
    Row &target = m_rows[size_t(row)];
    if (!LedgerCategories::forKind(target.row.kind).contains(category))
        return false;
    if (target.row.category == category)
        return true;
    target.row.category = category;
    Q_EMIT rowChanged(row);
    // Without a counterparty there is nothing to remember the choice by.
    if (!target.row.counterparty.isEmpty()) {
        m_offer = RuleOffer{target.row.counterparty, target.row.kind, category};
        Q_EMIT ruleOfferChanged();
    }
    return true;
}

QString ImportSheetModel::ruleOfferText() const
{
    if (!m_offer)
        return {};
    return u"以后 %1 都记为 %2"_s.arg(m_offer->counterparty, m_offer->category);
}

bool ImportSheetModel::acceptRuleOffer()
{
    if (!m_offer)
        return false;
    const RuleOffer offer = *m_offer;
    if (!m_store.setCategoryRule({offer.counterparty, EntryKinds::rawText(offer.kind), offer.category}))
        return false;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        ImportRow &row = m_rows[i].row;
        if (row.counterparty == offer.counterparty && row.kind == offer.kind &&
            row.category != offer.category) {
            row.category = offer.category;
            Q_EMIT rowChanged(int(i));
        }
    }
    m_offer.reset();
    Q_EMIT ruleOfferChanged();
    return true;
}

void ImportSheetModel::dismissRuleOffer()
{
    if (!m_offer)
        return;
    m_offer.reset();
    Q_EMIT ruleOfferChanged();
}

bool ImportSheetModel::importTicked()
{
    if (!canImport())
        return false;
    std::vector<ModelStore::ImportRow> rows;
    rows.reserve(size_t(m_ticked));
    for (const Row &row : m_rows) {
        if (row.ticked)
            rows.push_back(ImportPreview::storeRow(row.row));
    }
    const std::optional<ModelStore::ImportResult> written = m_store.importEntries(rows);
    if (!written)
        return false;
    // Remembered once the user has used it: a mapping tried and abandoned is not.
    if (needsMapping())
        m_store.setImportMapping(m_file->headerKey(), mapping().toText());
    Q_EMIT imported(int(written->inserted.size()));
    return true;
}
