// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sidebar.h"

#include "ContentModel.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int sidebarMinimum = 230;
constexpr int sidebarIdeal = 260;
constexpr int sidebarMaximum = 300;
constexpr int rowHeight = 38;

QWidget *bookTile(QWidget *parent)
{
    auto *tile = new Card(parent);
    tile->setFixedSize(32, 32);
    tile->setRadius(9);
    tile->setFill(Palette::indigo());
    tile->setBorderColour(Qt::transparent);
    auto *glyph = new QLabel(tile);
    glyph->setPixmap(Icon::pixmap(u"book.closed.fill"_s, Palette::onAccent(), 20, tile->devicePixelRatioF()));
    glyph->setGeometry(6, 6, 20, 20);
    return tile;
}

} // namespace

Sidebar::Sidebar(ContentModel &model, QWidget *parent) : QFrame(parent), m_model(model)
{
    setMinimumWidth(sidebarMinimum);
    setMaximumWidth(sidebarMaximum);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setObjectName(u"sidebar"_s);
    setStyleSheet(u"#sidebar { background: %1; border-right: 1px solid %2; }"_s.arg(
        Palette::css(Palette::sidebarBackground()), Palette::css(Palette::separator())));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(14, 18, 14, 16);
    column->setSpacing(14);

    auto *header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(bookTile(this));
    auto *name = new QLabel(u"Pennyloom"_s, this);
    Typography::makeHeadline(name);
    header->addWidget(name);
    header->addStretch(1);
    column->addLayout(header);

    buildList();
    column->addWidget(m_list);
    column->addStretch(1);
    column->addWidget(buildFooter());

    connect(&m_model, &ContentModel::selectionChanged, this, &Sidebar::showSelection);
    showSelection();
}

QSize Sidebar::sizeHint() const
{
    return {sidebarIdeal, QFrame::sizeHint().height()};
}

void Sidebar::buildList()
{
    m_list = new QListWidget(this);
    m_list->setAccessibleName(u"工作区"_s);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setIconSize(QSize(20, 20));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A window too short for every row scrolls the list, and keeps the footer's button in view.
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setStyleSheet(u"QListWidget { background: transparent; outline: none; }"
                          "QListWidget::item { padding: 7px 8px; border-radius: 8px; color: %1; }"
                          "QListWidget::item:hover { background: %2; }"
                          "QListWidget::item:selected { background: %3; color: %4; }"
                          // The keyboard's row is outlined while the list has the focus.
                          "QListWidget::item:focus { border: 2px solid %5; }"_s.arg(
                              Palette::css(Palette::primaryText()),
                              Palette::css(Palette::withAlpha(Palette::indigo(), 0.07)),
                              Palette::css(Palette::withAlpha(Palette::indigo(), 0.16)),
                              Palette::css(Palette::accentStrong()), Palette::css(Palette::indigo())));
    for (Workspace workspace : Workspaces::allCases()) {
        auto *item = new QListWidgetItem(Icon::icon(Workspaces::icon(workspace), Palette::indigo(), 20),
                                         Workspaces::title(workspace), m_list);
        item->setData(Qt::AccessibleTextRole, Workspaces::title(workspace));
        item->setSizeHint(QSize(0, rowHeight));
    }
    m_list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_list->setMinimumHeight(rowHeight * 3);
    m_list->setMaximumHeight(rowHeight * static_cast<int>(Workspaces::allCases().size()) + 4);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> selected = m_list->selectedItems();
        if (selected.isEmpty())
            m_model.setSelection(std::nullopt);
        else
            m_model.setSelection(Workspaces::allCases().value(m_list->row(selected.first())));
    });
}

QWidget *Sidebar::buildFooter()
{
    auto *footer = new Card(this);
    footer->setRadius(14);
    footer->setFill(Palette::faintFill());
    footer->setBorderColour(Qt::transparent);
    auto *footerColumn = new QVBoxLayout(footer);
    footerColumn->setContentsMargins(12, 12, 12, 12);
    footerColumn->setSpacing(10);
    footerColumn->addWidget(Typography::secondaryLabel(u"数据仅保存在本机"_s, footer));
    auto *smartButton = Buttons::prominent(u"大白话记一笔"_s, u"text.bubble.fill"_s, footer);
    smartButton->setObjectName(u"smartEntryButton"_s);
    connect(smartButton, &QPushButton::clicked, this, [this] { m_model.setShowingSmartEntry(true); });
    footerColumn->addWidget(smartButton);
    return footer;
}

void Sidebar::showSelection()
{
    const std::optional<Workspace> selection = m_model.selection();
    const int row = selection ? static_cast<int>(Workspaces::allCases().indexOf(*selection)) : -1;
    if (row < 0)
        m_list->clearSelection();
    else if (m_list->currentRow() != row || m_list->selectedItems().isEmpty())
        m_list->setCurrentRow(row);
}
