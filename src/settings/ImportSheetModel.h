// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportPreview.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class ModelStore;

// The import sheet without widgets: one file read against the store, the rows the user ticks,
// the categories changed by hand, the offer to remember a counterparty's category, the column
// mapping of a table file, and the import itself.
//
// Rows the store imported before stay in the list, unticked and not tickable, so the list is
// the file as the user knows it. Possible duplicates start unticked.
//
// The file is read, and its rows read again after a change of mapping or date order, on a
// worker thread: a large file, or a path that is no file at all, never holds up the window.
// Meanwhile reading() is true, nothing can be imported, and reset() follows once the rows are
// there.
class ImportSheetModel final : public QObject {
    Q_OBJECT

public:
    struct Row {
        ImportRow row;
        ImportPreview::Status status = ImportPreview::Status::fresh;
        bool ticked = false;
    };
    // 「以后 青禾小馆 都记为 餐饮」: offered after a row's category was changed by hand.
    struct RuleOffer {
        QString counterparty;
        EntryKind kind = EntryKind::expense;
        QString category;
    };

    ImportSheetModel(ModelStore &store, const QString &path, QObject *parent = nullptr);

    // The file or its rows are being read.
    bool reading() const { return m_reading; }

    QString fileName() const { return m_file->fileName; }
    // 「微信支付」, 「支付宝」, 「其他 CSV 表格」 or 「其他 xlsx 表格」.
    QString sourceText() const;
    QString encoding() const { return m_file->encoding; }
    // Why nothing can be imported from the file, naming it; empty when it reads (or while it
    // is being read).
    QString fileError() const { return m_reading ? QString() : m_preview.result().fileError; }

    // A table file, which is read by a column mapping the user can change.
    bool needsMapping() const;
    const QStringList &header() const { return m_file->header; }
    // The mapping last chosen, even while the rows are still being read by it.
    ColumnMapping mapping() const { return m_mapping.value_or(ColumnMapping()); }
    // Reads the rows again by this mapping; ticks and hand-picked categories start over.
    void setMapping(const ColumnMapping &mapping);
    // One field of the mapping set to a column (-1 for none). One signed amount and separate
    // income and expense columns exclude each other: choosing one clears the other.
    void setColumn(int ColumnMapping::*field, int column);
    // 正数为支出: a card statement's positive amounts are spending; read again.
    void setExpensePositive(bool expensePositive);

    // A QIF file whose every date reads both day first and month first: the user says which.
    bool dateOrderAmbiguous() const { return m_preview.result().dateOrderAmbiguous; }
    ImportDateOrder dateOrder() const { return m_preview.result().dateOrder; }
    // Reads the rows again with the dates in this order; ticks and hand-picked categories start over.
    void setDateOrder(ImportDateOrder order);

    // The file's own category names that match none of ours, each once: the user maps each to
    // one of ours once, and every later file reads by that choice too.
    const QStringList &unmatchedCategories() const { return m_preview.result().unmatchedCategories; }
    // Remembers our category for the file's category and reads the rows again; false when the
    // store could not write.
    bool mapFileCategory(const QString &fileCategory, const QString &ours);

    // A damaged sheet is read up to its damage and nothing of it is imported unless the user
    // chooses to take the lines before it: how many there are (0 for a whole file, and for a
    // statement whose damage leaves every line readable), and whether they are taken.
    int rowsBeforeDamage() const { return m_file->rowsBeforeDamage(); }
    bool takesBeforeDamage() const { return m_takeBeforeDamage; }
    // 「仍导入损坏处之前的 N 行」.
    QString takeBeforeDamageText() const;
    // Reads the rows again with or without the lines before the damage.
    void setTakeBeforeDamage(bool take);
    // Where the file is damaged though its lines were read, naming the place; empty for a
    // whole file.
    QString damage() const { return m_preview.result().damage; }

    const std::vector<Row> &rows() const { return m_rows; }
    int count(ImportPreview::Status status) const { return m_preview.count(status); }
    int skipped(ImportSkipReason reason) const { return m_preview.result().skippedFor(reason); }
    // Every reason a line was left out for (「外币：USD」 apart from 「外币：HKD」) with its count.
    std::vector<std::pair<QString, int>> skippedCounts() const { return m_preview.result().skippedByText(); }
    // Parts of a file that hold no bills (a QIF list of categories or accounts), counted.
    const std::vector<ImportSkippedSection> &skippedSections() const
    {
        return m_preview.result().skippedSections;
    }
    // 「“账单.csv” 第 12 行：…」 for every line that could not be read, in file order.
    QStringList problems() const;

    int tickedCount() const { return m_ticked; }
    // 「导入 N 笔」.
    QString confirmText() const;
    bool canImport() const { return !m_reading && m_ticked > 0; }
    // A row imported before cannot be ticked: false, and nothing changes.
    bool setTicked(int row, bool ticked);
    // Puts one of our categories of the row's kind on the row and offers to remember it for
    // the row's counterparty; false for a category not of that kind.
    bool setCategory(int row, const QString &category);
    const std::optional<RuleOffer> &ruleOffer() const { return m_offer; }
    // 「以后 青禾小馆 都记为 餐饮」.
    QString ruleOfferText() const;
    // Saves the offered rule and files the other rows of that counterparty and kind under it.
    bool acceptRuleOffer();
    void dismissRuleOffer();

    // Writes the ticked rows in one transaction and remembers a table file's mapping; the
    // store's import signal lets the undo history take it as one step. False when the store
    // could not write.
    bool importTicked();

Q_SIGNALS:
    // The rows were read (the file, or again after a change of mapping): every figure and row
    // may differ.
    void reset();
    // Reading started; reset() follows when it ends.
    void readingStarted();
    // One row's tick or category changed.
    void rowChanged(int row);
    // The number of ticked rows changed.
    void tickedCountChanged();
    void ruleOfferChanged();
    void imported(int count);

private:
    void reread(const std::optional<ColumnMapping> &mapping);
    void showRows(ImportResult read);

    ModelStore &m_store;
    std::shared_ptr<const ImportFile> m_file;
    // The file is shared with the reads under way, so the choice is held here and handed to each.
    bool m_takeBeforeDamage = false;
    ImportPreview m_preview;
    std::optional<ColumnMapping> m_mapping;
    bool m_reading = false;
    // The file has been read (its rows perhaps not yet).
    bool m_loaded = false;
    // Counts the readings started: a reading overtaken by a later one is dropped.
    quint64 m_reads = 0;
    std::vector<Row> m_rows;
    int m_ticked = 0;
    std::optional<RuleOffer> m_offer;
    ImportDateOrder m_dateOrder = ImportDateOrder::automatic;
};
