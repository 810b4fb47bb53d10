// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsView.h"

#include "ExportDestination.h"
#include "ImportFileChooser.h"
#include "ImportSheet.h"
#include "ToggleSwitch.h"
#include "reminder/ReminderManager.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/Sheets.h"
#include "ui/Typography.h"
#include "ui/WorkspaceHeader.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QVersionNumber>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 32;
constexpr int maximumContentWidth = 720;

// A titled card; the section's rows go into the returned layout.
QVBoxLayout *section(const QString &title, QWidget *parent, QWidget **card)
{
    auto *frame = new Card(parent);
    frame->setAccessibleName(title);
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(20, 16, 20, 18);
    column->setSpacing(10);
    auto *heading = new QLabel(title, frame);
    Typography::makeHeadline(heading);
    column->addWidget(heading);
    *card = frame;
    return column;
}

// "应用名称 ........ Pennyloom"
QLayout *valueRow(const QString &label, const QString &value, QWidget *parent)
{
    auto *row = new QHBoxLayout;
    auto *name = new QLabel(label, parent);
    row->addWidget(name);
    row->addStretch(1);
    auto *shown = Typography::secondaryLabel(value, parent);
    // Read with its caption, as the row is seen: 「版本 1.0」.
    shown->setAccessibleName(label + u' ' + value);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(shown);
    return row;
}

} // namespace

SettingsView::SettingsView(ModelStore &store, QWidget *parent)
    : SettingsView(store, ReminderManager::shared(), std::make_unique<ExportDestination>(), parent)
{
}

SettingsView::SettingsView(ModelStore &store, ReminderManager &reminder,
                           std::unique_ptr<ExportDestination> destination, QWidget *parent)
    : QWidget(parent)
    , m_model(store, reminder)
    , m_store(store)
    , m_destination(std::move(destination))
    , m_importChooser(std::make_unique<ImportFileChooser>())
{
    QWidget *page = ScrollPage::fill(this, Palette::windowBackground());
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(20);
    column->addWidget(new WorkspaceHeader(u"设置"_s, QString(), page));
    for (QWidget *card : {dataSection(page), rulesSection(page), reminderSection(page), aboutSection(page)}) {
        card->setMaximumWidth(maximumContentWidth);
        column->addWidget(card);
    }
    column->addStretch(1);

    connect(&m_model, &SettingsModel::exportErrorChanged, this, [this] {
        Sheets::follow(
            m_alert, m_model.exportError().has_value(), [this] { return makeFailureAlert(); },
            [this] { m_model.clearExportError(); });
    });
}

SettingsView::~SettingsView() = default;

QWidget *SettingsView::dataSection(QWidget *parent)
{
    QWidget *card = nullptr;
    QVBoxLayout *rows = section(u"数据"_s, parent, &card);
    m_export = Buttons::bordered(u"导出账单 .xlsx"_s, u"square.and.arrow.up"_s, card);
    connect(m_export, &QPushButton::clicked, this, &SettingsView::runExport);
    m_import = Buttons::bordered(u"导入账单…"_s, u"square.and.arrow.down"_s, card);
    m_import->setAccessibleName(m_import->text());
    connect(m_import, &QPushButton::clicked, this, &SettingsView::runImport);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addWidget(m_import);
    buttons->addStretch(1);
    rows->addLayout(buttons);
    auto *sources = Typography::secondaryLabel(
        u"导入账单可读取微信支付、支付宝导出的账单，以及其他 CSV 或 xlsx 表格；也可以把文件拖到窗口上。"_s,
        card);
    sources->setWordWrap(true);
    rows->addWidget(sources);
    auto *note = Typography::secondaryLabel(u"所有账单仅保存在这台设备中，不会上传到服务器。"_s, card);
    note->setWordWrap(true);
    rows->addWidget(note);
    return card;
}

QWidget *SettingsView::rulesSection(QWidget *parent)
{
    QWidget *card = nullptr;
    QVBoxLayout *rows = section(u"分类规则"_s, parent, &card);
    auto *note = Typography::secondaryLabel(
        u"导入账单或在账单中改分类时选「以后 … 都记为 …」，就会在这里添一条规则；以后导入和大白话记账都先按规则归类。删除规则不改动已有的账单。"_s,
        card);
    note->setWordWrap(true);
    rows->addWidget(note);
    m_rulesList = new QWidget(card);
    m_rulesList->setAccessibleName(u"分类规则"_s);
    m_rulesRows = new QVBoxLayout(m_rulesList);
    m_rulesRows->setContentsMargins(0, 0, 0, 0);
    m_rulesRows->setSpacing(6);
    rows->addWidget(m_rulesList);
    connect(&m_model, &SettingsModel::categoryRulesChanged, this, &SettingsView::showRules);
    showRules();
    return card;
}

void SettingsView::showRules()
{
    while (QLayoutItem *item = m_rulesRows->takeAt(0)) {
        if (QLayout *row = item->layout()) {
            while (QLayoutItem *inner = row->takeAt(0)) {
                if (QWidget *widget = inner->widget())
                    widget->deleteLater();
                delete inner;
            }
        }
        if (QWidget *widget = item->widget())
            widget->deleteLater();
        delete item;
    }
    const std::vector<CategoryRule> &rules = m_model.categoryRules();
    if (rules.empty()) {
        m_rulesRows->addWidget(Typography::secondaryLabel(u"还没有分类规则。"_s, m_rulesList));
        return;
    }
    for (const CategoryRule &rule : rules) {
        auto *row = new QHBoxLayout;
        const QString text = SettingsModel::ruleText(rule);
        auto *label = new QLabel(text, m_rulesList);
        label->setAccessibleName(text);
        row->addWidget(label, 1);
        QPushButton *remove = Buttons::bordered(u"删除"_s, u"trash"_s, m_rulesList);
        remove->setAccessibleName(u"删除"_s);
        remove->setAccessibleDescription(text);
        remove->setToolTip(u"删除规则 "_s + text);
        connect(remove, &QPushButton::clicked, this, [this, rule] { m_model.removeCategoryRule(rule); });
        row->addWidget(remove);
        m_rulesRows->addLayout(row);
    }
}

QWidget *SettingsView::reminderSection(QWidget *parent)
{
    QWidget *card = nullptr;
    QVBoxLayout *rows = section(u"小助理"_s, parent, &card);
    auto *row = new QHBoxLayout;
    const QString label = u"每日记账提醒"_s;
    auto *name = new QLabel(label, card);
    row->addWidget(name);
    row->addStretch(1);
    m_switch = new ToggleSwitch(card);
    m_switch->setAccessibleName(label);
    name->setBuddy(m_switch);
    m_switch->setChecked(m_model.reminderEnabled());
    // The switch asks the manager and shows what the manager holds, never a state of its own.
    connect(m_switch, &ToggleSwitch::clicked, this, [this](bool checked) {
        m_model.setReminderEnabled(checked);
        m_switch->setChecked(m_model.reminderEnabled());
    });
    connect(&m_model, &SettingsModel::reminderEnabledChanged, m_switch, &ToggleSwitch::setChecked);
    row->addWidget(m_switch);
    rows->addLayout(row);

    auto *budgetRow = new QHBoxLayout;
    const QString budgetLabel = u"预算提醒"_s;
    auto *budgetName = new QLabel(budgetLabel, card);
    budgetRow->addWidget(budgetName);
    budgetRow->addStretch(1);
    m_budgetSwitch = new ToggleSwitch(card);
    m_budgetSwitch->setAccessibleName(budgetLabel);
    budgetName->setBuddy(m_budgetSwitch);
    m_budgetSwitch->setChecked(m_model.budgetNoticesEnabled());
    connect(m_budgetSwitch, &ToggleSwitch::clicked, this, [this](bool checked) {
        m_model.setBudgetNoticesEnabled(checked);
        m_budgetSwitch->setChecked(m_model.budgetNoticesEnabled());
    });
    budgetRow->addWidget(m_budgetSwitch);
    rows->addLayout(budgetRow);
    auto *note = Typography::secondaryLabel(
        u"每天 20:30 提醒记账；打开预算提醒后，预算用到 80% 或超支时会发出通知。预算状态也显示在概览页。"_s,
        card);
    note->setWordWrap(true);
    rows->addWidget(note);
    return card;
}

QWidget *SettingsView::aboutSection(QWidget *parent)
{
    QWidget *card = nullptr;
    QVBoxLayout *rows = section(u"关于"_s, parent, &card);
    rows->addLayout(valueRow(u"应用名称"_s, u"Pennyloom"_s, card));
    // Major and minor, as "1.0"; the command line's --version gives all three numbers.
    const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(PENNYLOOM_VERSION));
    const QString shown = QVersionNumber(version.majorVersion(), version.minorVersion()).toString();
    rows->addLayout(valueRow(u"版本"_s, shown, card));
    return card;
}

QDialog *SettingsView::makeFailureAlert()
{
    auto *alert = new QMessageBox(this);
    alert->setIcon(QMessageBox::Warning);
    alert->setWindowTitle(u"导出失败"_s);
    alert->setText(u"导出失败"_s);
    alert->setInformativeText(m_model.exportError().value_or(QString()));
    // The error names a whole path; wide enough that it does not break every few words.
    alert->setStyleSheet(u"QLabel#qt_msgbox_informativelabel { min-width: 380px; }"_s);
    QPushButton *ok = alert->addButton(u"好"_s, QMessageBox::RejectRole);
    ok->setAccessibleName(u"好"_s);
    alert->setDefaultButton(ok);
    alert->setEscapeButton(ok);
    return alert;
}

void SettingsView::setImportChooser(std::unique_ptr<ImportFileChooser> chooser)
{
    m_importChooser = std::move(chooser);
}

void SettingsView::runImport()
{
    const QString path = m_importChooser->choose(this);
    if (path.isEmpty())
        return;
    if (m_importSheet)
        m_importSheet->reject();
    m_importSheet = new ImportSheet(m_store, path, this);
    Sheets::open(m_importSheet, {});
}

void SettingsView::runExport()
{
    // The workbook is written only once the user has chosen where, straight to that place:
    // no copy of the ledger waits anywhere else, whether the dialog is confirmed or not.
    const QString destination = m_destination->choose(this, m_model.proposedDestination());
    if (destination.isEmpty())
        return;
    // After a failed export there is nothing new to show; the alert says why instead.
    if (m_model.exportTo(destination))
        m_destination->reveal(destination);
}
