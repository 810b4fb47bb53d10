// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetView.h"

#include "BudgetFormView.h"
#include "BudgetPeriodHeader.h"
#include "BudgetProgressRow.h"
#include "ui/Card.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/Sheets.h"
#include "ui/Typography.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Rows inside a section card sit this far from its left and right edges.
constexpr int rowInset = 16;

QLabel *sectionHeading(const QString &text, QWidget *parent)
{
    QLabel *heading = Typography::secondaryLabel(text, parent);
    QFont small = heading->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    heading->setFont(small);
    heading->setContentsMargins(rowInset, 0, rowInset, 0);
    return heading;
}

Card *sectionCard(QWidget *parent)
{
    auto *card = new Card(parent);
    card->setRadius(10);
    auto *rows = new QVBoxLayout(card);
    rows->setContentsMargins(0, 4, 0, 4);
    rows->setSpacing(0);
    return card;
}

// Adds a row to a section card, with a hairline between it and the row before.
void addRow(Card *card, QWidget *row, int verticalPadding)
{
    auto *rows = static_cast<QVBoxLayout *>(card->layout());
    if (rows->count() > 0) {
        auto *divider = new QFrame(card);
        divider->setFixedHeight(1);
        divider->setStyleSheet(u"background: %1;"_s.arg(Palette::css(Palette::separator())));
        rows->addWidget(divider);
    }
    auto *holder = new QWidget(card);
    auto *inset = new QVBoxLayout(holder);
    inset->setContentsMargins(rowInset, verticalPadding, rowInset, verticalPadding);
    inset->addWidget(row);
    rows->addWidget(holder);
}

// A section button drawn like a list row: indigo icon and text, left-aligned.
QPushButton *actionButton(const QString &text, const QString &symbol, QWidget *parent)
{
    auto *button = new QPushButton(Icon::icon(symbol, Palette::indigo(), 18), text, parent);
    button->setAccessibleName(text);
    button->setIconSize(QSize(18, 18));
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(u"QPushButton { text-align: left; border: none; background: transparent; color: %1;"
                          " padding: 9px %2px; }"
                          "QPushButton:hover { background: %3; }"
                          "QPushButton:focus { background: %3; }"_s.arg(Palette::css(Palette::indigo()))
                              .arg(rowInset)
                              .arg(Palette::css(Palette::withAlpha(Palette::indigo(), 0.07))));
    return button;
}

// Swaps the single body of a rebuilt section. The old body leaves the widget tree at once,
// so nothing finds its rows any more, and is deleted once control returns to the loop.
void replaceBody(QWidget *section, QWidget *body)
{
    QLayout *layout = section->layout();
    while (QLayoutItem *item = layout->takeAt(0)) {
        if (QWidget *old = item->widget()) {
            old->hide();
            old->setParent(nullptr);
            old->deleteLater();
        }
        delete item;
    }
    layout->addWidget(body);
}

} // namespace

BudgetView::BudgetView(ModelStore &store, QWidget *parent)
    : QWidget(parent)
    , m_model(store)
    , m_back(new QPushButton(Icon::icon(u"chevron.left"_s, Palette::indigo(), 20), u"返回概览"_s, this))
    , m_scroll(new QScrollArea(this))
    , m_current(nullptr)
    , m_addToCurrent(nullptr)
    , m_actionDivider(nullptr)
    , m_newPeriod(nullptr)
    , m_past(nullptr)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 14, 0, 0);
    outer->setSpacing(4);

    m_back->setAccessibleName(u"返回概览"_s);
    m_back->setIconSize(QSize(20, 20));
    m_back->setCursor(Qt::PointingHandCursor);
    m_back->setStyleSheet(
        u"QPushButton { border: none; background: transparent; color: %1; padding: 4px 8px 4px 2px; }"
        "QPushButton:hover { color: %2; }"_s.arg(Palette::css(Palette::indigo()),
                                                 Palette::css(Palette::indigo().darker(125))));
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(18, 0, 18, 0);
    bar->addWidget(m_back);
    bar->addStretch(1);
    outer->addLayout(bar);

    auto *title = new QLabel(u"预算管理"_s, this);
    Typography::makeTitle(title, 28);
    title->setContentsMargins(30, 0, 30, 6);
    outer->addWidget(title);

    auto *page = new QWidget;
    page->setBackgroundRole(QPalette::Window);
    auto *centre = new QHBoxLayout(page);
    centre->setContentsMargins(28, 8, 28, 28);
    centre->addStretch(0);
    auto *columnHolder = new QWidget(page);
    columnHolder->setMaximumWidth(860);
    centre->addWidget(columnHolder, 1);
    centre->addStretch(0);
    auto *column = new QVBoxLayout(columnHolder);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(22);

    // What a budget period is.
    Card *help = sectionCard(columnHolder);
    auto *helpText =
        new QLabel(u"预算可按自定义日期归属。例如设为 11 月 15 日至 12 月 14 日，这段时间的支出都会计入"
                   "同一周期；结束后会自动保留在过往记录中。"_s,
                   help);
    helpText->setWordWrap(true);
    QFont subheadline = helpText->font();
    subheadline.setPointSizeF(subheadline.pointSizeF() * 0.95);
    helpText->setFont(subheadline);
    Typography::makeSecondary(helpText);
    addRow(help, helpText, 8);
    column->addWidget(help);

    // The period in force, rebuilt on every change.
    m_current = new QWidget(columnHolder);
    auto *currentLayout = new QVBoxLayout(m_current);
    currentLayout->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_current);

    // The two ways into the add form.
    Card *actions = sectionCard(columnHolder);
    static_cast<QVBoxLayout *>(actions->layout())->setContentsMargins(0, 0, 0, 0);
    m_addToCurrent = actionButton(u"为当前周期添加分类"_s, u"plus"_s, actions);
    m_newPeriod = actionButton(u"新建预算周期"_s, u"calendar.badge.plus"_s, actions);
    auto *actionRows = static_cast<QVBoxLayout *>(actions->layout());
    actionRows->addWidget(m_addToCurrent);
    m_actionDivider = new QFrame(actions);
    m_actionDivider->setFixedHeight(1);
    m_actionDivider->setStyleSheet(
        u"background: %1; margin-left: %2px;"_s.arg(Palette::css(Palette::separator())).arg(rowInset));
    actionRows->addWidget(m_actionDivider);
    actionRows->addWidget(m_newPeriod);
    column->addWidget(actions);

    // Every other period.
    m_past = new QWidget(columnHolder);
    auto *pastLayout = new QVBoxLayout(m_past);
    pastLayout->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_past);
    column->addStretch(1);

    m_scroll->setWidget(page);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->setBackgroundRole(QPalette::Window);
    ScrollPage::markFocus(m_scroll);
    outer->addWidget(m_scroll, 1);

    connect(m_back, &QPushButton::clicked, this, &BudgetView::backRequested);
    connect(m_addToCurrent, &QPushButton::clicked, &m_model, &BudgetModel::addToCurrentPeriod);
    connect(m_newPeriod, &QPushButton::clicked, &m_model, &BudgetModel::startNewPeriod);
    connect(&m_model, &BudgetModel::changed, this, &BudgetView::rebuild);
    connect(&m_model, &BudgetModel::showingAddChanged, this, &BudgetView::showForm);
    connect(&m_model, &BudgetModel::showingPeriodDeleteConfirmationChanged, this,
            &BudgetView::showDeleteConfirmation);
    rebuild();
}

void BudgetView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_model.refresh();
}

void BudgetView::rebuild()
{

    auto *current = new QWidget;
    auto *currentColumn = new QVBoxLayout(current);
    currentColumn->setContentsMargins(0, 0, 0, 0);
    currentColumn->setSpacing(22);
    if (m_model.currentGroups().empty()) {
        auto *section = new QVBoxLayout;
        section->setSpacing(6);
        section->addWidget(sectionHeading(u"当前周期"_s, current));
        Card *card = sectionCard(current);
        addRow(card, Typography::secondaryLabel(u"尚未设置当前生效的预算周期"_s, card), 8);
        section->addWidget(card);
        currentColumn->addLayout(section);
    }
    for (const BudgetPeriodGroup &group : m_model.currentGroups()) {
        auto *section = new QVBoxLayout;
        section->setSpacing(8);
        auto *header = new BudgetPeriodHeader(group.key, group.figures, current);
        header->setContentsMargins(rowInset, 0, rowInset, 0);
        connect(header, &BudgetPeriodHeader::deleteRequested, this,
                [this, group] { m_model.requestPeriodDeletion(group.key, group.budgets); });
        section->addWidget(header);
        Card *card = sectionCard(current);
        for (size_t i = 0; i < group.budgets.size(); ++i)
            addRow(card, new BudgetProgressRow(group.budgets[i], group.rows[i], false, card), 4);
        section->addWidget(card);
        currentColumn->addLayout(section);
    }
    replaceBody(m_current, current);

    m_addToCurrent->setVisible(m_model.canAddToCurrentPeriod());
    m_actionDivider->setVisible(m_model.canAddToCurrentPeriod());

    const std::vector<BudgetPeriodGroup> &pastGroups = m_model.pastGroups();
    auto *past = new QWidget;
    auto *pastColumn = new QVBoxLayout(past);
    pastColumn->setContentsMargins(0, 0, 0, 0);
    pastColumn->setSpacing(6);
    if (!pastGroups.empty()) {
        pastColumn->addWidget(sectionHeading(u"过往预算记录"_s, past));
        Card *card = sectionCard(past);
        for (const BudgetPeriodGroup &group : pastGroups) {
            auto *row = new QWidget(card);
            auto *parts = new QVBoxLayout(row);
            parts->setContentsMargins(0, 5, 0, 5);
            parts->setSpacing(8);
            parts->setAlignment(Qt::AlignLeft);
            auto *header = new BudgetPeriodHeader(group.key, group.figures, row);
            connect(header, &BudgetPeriodHeader::deleteRequested, this,
                    [this, group] { m_model.requestPeriodDeletion(group.key, group.budgets); });
            parts->addWidget(header);
            for (size_t i = 0; i < group.budgets.size(); ++i)
                parts->addWidget(new BudgetProgressRow(group.budgets[i], group.rows[i], true, row));
            addRow(card, row, 6);
        }
        pastColumn->addWidget(card);
    }
    replaceBody(m_past, past);
    m_past->setVisible(!pastGroups.empty());
}

void BudgetView::showForm(bool showing)
{
    Sheets::follow(m_form, showing, [this] { return new BudgetFormView(m_model, this); });
}

void BudgetView::showDeleteConfirmation(bool showing)
{
    Sheets::followConfirmation(m_confirmation, showing, this, m_model.deleteConfirmationTitle(),
                               BudgetModel::deleteConfirmationMessage(), u"删除周期"_s,
                               [this](bool confirmed) {
                                   if (confirmed)
                                       m_model.deleteRequestedPeriod();
                                   else
                                       m_model.cancelPeriodDeletion();
                               });
}
