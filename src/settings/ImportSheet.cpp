// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportSheet.h"

#include "ImportCategoryDelegate.h"
#include "ImportRowsModel.h"
#include "model/LedgerCategories.h"
#include "ui/Buttons.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct MappingField {
    int ColumnMapping::*field;
    const char16_t *label;
};

// The fields a table file's columns can be, in the order the choosers stand.
constexpr std::array<MappingField, 10> mappingFields{{
    {&ColumnMapping::date, u"日期"},
    {&ColumnMapping::time, u"时间"},
    {&ColumnMapping::kind, u"收支类型"},
    {&ColumnMapping::amount, u"金额（正负）"},
    {&ColumnMapping::income, u"收入金额"},
    {&ColumnMapping::expense, u"支出金额"},
    {&ColumnMapping::category, u"分类"},
    {&ColumnMapping::counterparty, u"交易对方"},
    {&ColumnMapping::note, u"备注"},
    {&ColumnMapping::currency, u"币种"},
}};

// How many lines that could not be read are named before the rest are counted.
constexpr int namedProblems = 4;

} // namespace

ImportSheet::ImportSheet(ModelStore &store, const QString &path, QWidget *parent)
    : Sheet(u"导入账单"_s, SheetSize::Import, Dismiss::cancel, u"导入 0 笔"_s, parent), m_model(store, path)
{
    addTitleRow(TitlePlacement::leading);
    QVBoxLayout *content = column();

    m_source = new QLabel(this);
    m_source->setTextInteractionFlags(Qt::TextSelectableByMouse);
    content->addWidget(m_source);
    m_counts = new QLabel(this);
    m_counts->setWordWrap(true);
    content->addWidget(m_counts);
    m_problems = Typography::secondaryLabel(QString(), this);
    m_problems->setWordWrap(true);
    content->addWidget(m_problems);
    m_error = new QLabel(this);
    m_error->setWordWrap(true);
    Typography::setTextColour(m_error, Palette::over());
    content->addWidget(m_error);
    m_damage = new QLabel(this);
    m_damage->setWordWrap(true);
    Typography::setTextColour(m_damage, Palette::warning());
    content->addWidget(m_damage);
    // Nothing of a damaged sheet is imported unless the user asks for the lines before the damage.
    // Shown, with its count in its name, once a read finds a sheet damaged after some rows.
    m_takeBeforeDamage = new QCheckBox(u"仍导入损坏处之前的行"_s, this);
    m_takeBeforeDamage->setAccessibleName(m_takeBeforeDamage->text());
    m_takeBeforeDamage->setVisible(false);
    connect(m_takeBeforeDamage, &QCheckBox::toggled, &m_model, &ImportSheetModel::setTakeBeforeDamage);
    content->addWidget(m_takeBeforeDamage);

    m_mapping = makeMappingBox();
    content->addWidget(m_mapping);
    m_dateOrderRow = makeDateOrderRow();
    content->addWidget(m_dateOrderRow);
    m_fileCategoryRow = makeFileCategoryRow();
    content->addWidget(m_fileCategoryRow);

    auto *ruleRow = new QHBoxLayout;
    m_rule = Buttons::bordered(QString(), u"checkmark.circle.fill"_s, this);
    m_rule->setAutoDefault(false);
    connect(m_rule, &QPushButton::clicked, &m_model, &ImportSheetModel::acceptRuleOffer);
    m_dismissRule = Buttons::bordered(u"不用"_s, QString(), this);
    m_dismissRule->setAccessibleName(u"不用"_s);
    m_dismissRule->setAutoDefault(false);
    connect(m_dismissRule, &QPushButton::clicked, &m_model, &ImportSheetModel::dismissRuleOffer);
    ruleRow->addWidget(m_rule);
    ruleRow->addWidget(m_dismissRule);
    ruleRow->addStretch(1);
    content->addLayout(ruleRow);

    m_rows = new ImportRowsModel(m_model, this);
    m_table = new QTableView(this);
    m_table->setAccessibleName(u"账单明细"_s);
    m_table->setModel(m_rows);
    m_table->setItemDelegateForColumn(ImportRowsModel::category, new ImportCategoryDelegate(m_table));
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    // Tab leaves the table for the buttons; the arrows move within it.
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured per row, at any length.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 10);
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    const int unit = m_table->fontMetrics().horizontalAdvance(u"汉"_s);
    header->resizeSection(ImportRowsModel::tick, unit * 3);
    header->resizeSection(ImportRowsModel::date, unit * 9);
    header->resizeSection(ImportRowsModel::kind, unit * 3);
    header->resizeSection(ImportRowsModel::category, unit * 6);
    header->resizeSection(ImportRowsModel::amount, unit * 7);
    header->resizeSection(ImportRowsModel::status, unit * 5);
    header->setSectionResizeMode(ImportRowsModel::note, QHeaderView::Stretch);
    content->addWidget(m_table, 1);
    // Takes the room the table leaves when a file shows none, so the rest keeps to the top.
    content->addStretch(0);

    connect(confirmButton(), &QPushButton::clicked, this, &ImportSheet::confirm);
    connect(&m_model, &ImportSheetModel::reset, this, [this] {
        showFigures();
        fillChoosers();
        showFileChoices();
    });
    connect(&m_model, &ImportSheetModel::readingStarted, this, &ImportSheet::showFigures);
    connect(&m_model, &ImportSheetModel::tickedCountChanged, this, &ImportSheet::showTicks);
    connect(&m_model, &ImportSheetModel::ruleOfferChanged, this, &ImportSheet::showRuleOffer);
    showFigures();
    fillChoosers();
    showFileChoices();
    showTicks();
    showRuleOffer();
}

void ImportSheet::showTicks()
{
    confirmButton()->setText(m_model.confirmText());
    confirmButton()->setAccessibleName(m_model.confirmText());
    confirmButton()->setEnabled(m_model.canImport());
}

void ImportSheet::showRuleOffer()
{
    const bool offered = m_model.ruleOffer().has_value();
    m_rule->setText(m_model.ruleOfferText());
    m_rule->setAccessibleName(m_model.ruleOfferText());
    m_rule->setVisible(offered);
    m_dismissRule->setVisible(offered);
}

QWidget *ImportSheet::makeDateOrderRow()
{
    // Asked once, for a file whose every date reads both ways.
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(u"日期顺序"_s, row);
    m_dateOrder = new QComboBox(row);
    m_dateOrder->setAccessibleName(u"日期顺序"_s);
    m_dateOrder->addItem(u"月在前（3/4 是 3 月 4 日）"_s, int(ImportDateOrder::monthFirst));
    m_dateOrder->addItem(u"日在前（3/4 是 4 月 3 日）"_s, int(ImportDateOrder::dayFirst));
    label->setBuddy(m_dateOrder);
    layout->addWidget(label);
    layout->addWidget(m_dateOrder);
    layout->addStretch(1);
    connect(m_dateOrder, &QComboBox::activated, this,
            [this] { m_model.setDateOrder(ImportDateOrder(m_dateOrder->currentData().toInt())); });
    return row;
}

QWidget *ImportSheet::makeFileCategoryRow()
{
    // The file's own categories that match none of ours, each mapped once and remembered.
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(u"文件里的分类"_s, row);
    m_fileCategory = new QComboBox(row);
    m_fileCategory->setAccessibleName(u"文件里的分类"_s);
    m_fileCategory->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fileCategory->setMinimumContentsLength(10);
    label->setBuddy(m_fileCategory);
    auto *as = new QLabel(u"记为"_s, row);
    m_ourCategory = new QComboBox(row);
    m_ourCategory->setAccessibleName(u"记为"_s);
    as->setBuddy(m_ourCategory);
    for (const EntryKind kind : {EntryKind::expense, EntryKind::income}) {
        for (const QString &category : LedgerCategories::forKind(kind)) {
            if (m_ourCategory->findText(category) < 0)
                m_ourCategory->addItem(category);
        }
    }
    auto *remember = Buttons::bordered(u"记住"_s, QString(), row);
    remember->setAutoDefault(false);
    layout->addWidget(label);
    layout->addWidget(m_fileCategory);
    layout->addWidget(as);
    layout->addWidget(m_ourCategory);
    layout->addWidget(remember);
    layout->addStretch(1);
    connect(remember, &QPushButton::clicked, this, [this] {
        if (m_fileCategory->currentIndex() >= 0)
            m_model.mapFileCategory(m_fileCategory->currentText(), m_ourCategory->currentText());
    });
    return row;
}

void ImportSheet::showFileChoices()
{
    m_dateOrderRow->setVisible(m_model.dateOrderAmbiguous());
    m_dateOrder->setCurrentIndex(m_model.dateOrder() == ImportDateOrder::dayFirst ? 1 : 0);
    const QStringList &unmatched = m_model.unmatchedCategories();
    m_fileCategory->clear();
    m_fileCategory->addItems(unmatched);
    m_fileCategoryRow->setVisible(!unmatched.isEmpty());
}

QWidget *ImportSheet::makeMappingBox()
{
    auto *box = new QWidget(this);
    box->setAccessibleName(u"列的对应"_s);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    constexpr int perRow = 3;
    for (size_t i = 0; i < mappingFields.size(); ++i) {
        const QString label = QString::fromUtf16(mappingFields[i].label);
        auto *name = new QLabel(label, box);
        auto *chooser = new QComboBox(box);
        chooser->setAccessibleName(label);
        chooser->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        chooser->setMinimumContentsLength(8);
        name->setBuddy(chooser);
        const int row = int(i) / perRow;
        const int col = int(i) % perRow * 2;
        grid->addWidget(name, row, col);
        grid->addWidget(chooser, row, col + 1);
        grid->setColumnStretch(col + 1, 1);
        const auto field = mappingFields[i].field;
        connect(chooser, &QComboBox::activated, this,
                [this, chooser, field] { m_model.setColumn(field, chooser->currentData().toInt()); });
        m_choosers.append(chooser);
    }
    // A card's statement writes spending as positive amounts.
    m_expensePositive = new QCheckBox(u"正数为支出"_s, box);
    m_expensePositive->setAccessibleName(u"正数为支出"_s);
    m_expensePositive->setToolTip(u"信用卡账单：正数金额是消费，负数是还款或退款"_s);
    const int last = int(mappingFields.size());
    grid->addWidget(m_expensePositive, last / perRow, last % perRow * 2, 1, 2);
    connect(m_expensePositive, &QCheckBox::toggled, &m_model, &ImportSheetModel::setExpensePositive);
    return box;
}

void ImportSheet::fillChoosers()
{
    m_mapping->setVisible(m_model.needsMapping());
    if (!m_model.needsMapping())
        return;
    const ColumnMapping mapping = m_model.mapping();
    const QStringList &header = m_model.header();
    for (qsizetype i = 0; i < m_choosers.size(); ++i) {
        QComboBox *chooser = m_choosers.at(i);
        const QSignalBlocker quiet(chooser);
        chooser->clear();
        chooser->addItem(u"（无）"_s, -1);
        for (qsizetype c = 0; c < header.size(); ++c)
            chooser->addItem(header.at(c).isEmpty() ? u"第 %1 列"_s.arg(c + 1) : header.at(c), int(c));
        chooser->setCurrentIndex(chooser->findData(mapping.*mappingFields[size_t(i)].field));
    }
    const QSignalBlocker quiet(m_expensePositive);
    m_expensePositive->setChecked(mapping.expensePositive);
    // Only one signed amount column runs either way.
    m_expensePositive->setEnabled(mapping.amount >= 0 && mapping.kind < 0);
}

void ImportSheet::showFigures()
{
    // The rows come from a worker; until they are there the sheet says what it is doing.
    if (m_model.reading()) {
        m_source->setVisible(true);
        m_source->setText(u"正在读取“%1”……"_s.arg(m_model.fileName()));
        m_source->setAccessibleName(m_source->text());
        m_error->hide();
        m_counts->hide();
        m_problems->hide();
        return;
    }
    const QString error = m_model.fileError();
    const bool readable = error.isEmpty() || m_model.needsMapping();
    m_source->setVisible(readable);
    m_source->setText(u"%1 · %2 · %3"_s.arg(m_model.sourceText(), m_model.encoding(), m_model.fileName()));
    m_source->setAccessibleName(m_source->text());
    m_error->setVisible(!error.isEmpty());
    m_error->setText(error);
    m_error->setAccessibleName(error);
    m_table->setVisible(error.isEmpty());
    const QString damage = m_model.damage().isEmpty() ? QString() : u"文件已损坏：%1"_s.arg(m_model.damage());
    m_damage->setText(damage);
    m_damage->setAccessibleName(damage);
    m_damage->setVisible(!damage.isEmpty());
    {
        const QSignalBlocker quiet(m_takeBeforeDamage);
        m_takeBeforeDamage->setText(m_model.takeBeforeDamageText());
        m_takeBeforeDamage->setAccessibleName(m_model.takeBeforeDamageText());
        m_takeBeforeDamage->setChecked(m_model.takesBeforeDamage());
        m_takeBeforeDamage->setVisible(m_model.rowsBeforeDamage() > 0);
    }

    QStringList counts;
    if (error.isEmpty()) {
        const QLocale locale;
        counts.append(u"新记录 %1 笔"_s.arg(locale.toString(m_model.count(ImportPreview::Status::fresh))));
        counts.append(
            u"已导入过 %1 笔"_s.arg(locale.toString(m_model.count(ImportPreview::Status::alreadyImported))));
        counts.append(u"可能重复 %1 笔"_s.arg(
            locale.toString(m_model.count(ImportPreview::Status::possibleDuplicate))));
        for (const auto &[reason, skipped] : m_model.skippedCounts())
            counts.append(u"%1 %2 笔（未导入）"_s.arg(reason).arg(skipped));
        for (const ImportSkippedSection &section : m_model.skippedSections())
            counts.append(u"跳过 %1 部分 %2 条"_s.arg(section.section).arg(section.records));
    }
    const QStringList problems = m_model.problems();
    if (!problems.isEmpty())
        counts.append(u"无法读取 %1 行"_s.arg(problems.size()));
    m_counts->setText(counts.join(u"　·　"_s));
    m_counts->setAccessibleName(m_counts->text());
    m_counts->setVisible(!counts.isEmpty());

    QStringList named = problems.mid(0, namedProblems);
    if (problems.size() > namedProblems)
        named.append(u"……另有 %1 行无法读取"_s.arg(problems.size() - namedProblems));
    m_problems->setText(named.join(u'\n'));
    m_problems->setAccessibleName(m_problems->text());
    m_problems->setVisible(!named.isEmpty());
}

void ImportSheet::confirm()
{
    if (m_model.importTicked()) {
        accept();
        return;
    }
    m_error->setText(u"数据文件写入失败，这些账单没有导入。"_s);
    m_error->setAccessibleName(m_error->text());
    m_error->show();
}
