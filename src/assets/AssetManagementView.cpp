// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetManagementView.h"

#include "AddAssetAccountView.h"
#include "AssetAccountDetailView.h"
#include "AssetAccountSection.h"
#include "AssetTrendLink.h"
#include "AssetTrendView.h"
#include "LiabilityRepaymentLedgerView.h"
#include "ui/AssetTotalCard.h"
#include "ui/Buttons.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/Sheets.h"
#include "ui/Spacing.h"
#include "ui/WorkspaceHeader.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct TotalLook {
    QString icon;
    QColor colour;
};

TotalLook totalLook(AssetDimension dimension)
{
    switch (dimension) {
    case AssetDimension::owned:
        return {u"wallet.bifold.fill"_s, Palette::indigo()};
    case AssetDimension::borrowable:
        return {u"creditcard.fill"_s, Palette::warning()};
    case AssetDimension::liability:
        return {u"minus.circle.fill"_s, Palette::over()};
    }
    return {};
}

QString sectionSubtitle(AssetDimension dimension)
{
    switch (dimension) {
    case AssetDimension::owned:
        return u"现金、储蓄卡、信用卡、微信、支付宝、同花顺"_s;
    case AssetDimension::borrowable:
        return u"可按各家银行信用卡分别记录"_s;
    case AssetDimension::liability:
        return u"信用卡应还、房贷、车贷、消费贷及其他借款"_s;
    }
    return {};
}

} // namespace

AssetManagementView::AssetManagementView(ModelStore &store, QWidget *parent)
    : QWidget(parent)
    , m_model(store)
    , m_repayments(Buttons::bordered(u"还账账单"_s, u"list.bullet.rectangle"_s, nullptr))
    , m_add(Buttons::prominent(u"新增资产"_s, u"plus"_s, nullptr))
    , m_trend(new AssetTrendLink)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    auto *page = new QWidget;
    page->setBackgroundRole(QPalette::Window);
    auto *centre = new QHBoxLayout(page);
    centre->setContentsMargins(Spacing::pageMargin, Spacing::pageMargin, Spacing::pageMargin,
                               Spacing::pageMargin);
    auto *columnHolder = new QWidget(page);
    columnHolder->setMaximumWidth(Spacing::pageWidth);
    // Wider windows keep the column at its widest and centre it.
    centre->addStretch(0);
    centre->addWidget(columnHolder, 1);
    centre->addStretch(0);
    auto *column = new QVBoxLayout(columnHolder);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(Spacing::assetSectionSpacing);

    auto *header = new WorkspaceHeader(u"资产管理"_s, u"统一查看账户余额与资产变化"_s, columnHolder);
    header->addAction(m_repayments);
    header->addAction(m_add);
    column->addWidget(header);

    auto *totals = new QHBoxLayout;
    totals->setSpacing(Spacing::cardSpacing);
    for (AssetDimension dimension : AssetDimensions::all) {
        const TotalLook look = totalLook(dimension);
        auto *card =
            new AssetTotalCard(AssetDimensions::rawValue(dimension), 0, look.icon, look.colour, columnHolder);
        m_totals[size_t(dimension)] = card;
        totals->addWidget(card, 1);
    }
    column->addLayout(totals);

    m_trend->setParent(columnHolder);
    column->addWidget(m_trend);

    for (AssetDimension dimension : AssetDimensions::all) {
        auto *section = new AssetAccountSection(AssetDimensions::rawValue(dimension),
                                                sectionSubtitle(dimension), columnHolder);
        m_sections[size_t(dimension)] = section;
        column->addWidget(section);
        connect(section, &AssetAccountSection::manageRequested, &m_model, &AssetManagementModel::select);
        // Delete asks over the account's detail, the same confirmation as its trash button.
        connect(section, &AssetAccountSection::deleteRequested, this, [this](const AssetAccount &account) {
            m_model.select(account);
            auto *detail = qobject_cast<AssetAccountDetailView *>(m_sheet.data());
            if (detail != nullptr && detail->isVisible())
                detail->model().requestDelete();
        });
    }
    column->addStretch(1);

    auto *scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setBackgroundRole(QPalette::Window);
    ScrollPage::markFocus(scroll);
    outer->addWidget(scroll);

    connect(m_repayments, &QPushButton::clicked, &m_model, &AssetManagementModel::showRepaymentLedger);
    connect(m_add, &QPushButton::clicked, &m_model, &AssetManagementModel::showAddAccount);
    connect(m_trend, &AssetTrendLink::clicked, &m_model, &AssetManagementModel::showTrend);
    connect(&m_model, &AssetManagementModel::changed, this, &AssetManagementView::refresh);
    connect(&m_model, &AssetManagementModel::sheetChanged, this, &AssetManagementView::followSheet);
    refresh();
}

void AssetManagementView::refresh()
{
    const auto balance = [this](const AssetAccount &account) { return m_model.balance(account); };
    for (AssetDimension dimension : AssetDimensions::all) {
        m_totals[size_t(dimension)]->setValue(m_model.total(dimension));
        m_sections[size_t(dimension)]->setAccounts(m_model.accounts(dimension), balance);
    }
}

void AssetManagementView::followSheet()
{
    const bool showing = m_model.showingAddAccount() || m_model.showingTrend() ||
                         m_model.showingRepaymentLedger() || m_model.selectedAccount().has_value();
    Sheets::follow(
        m_sheet, showing, [this] { return makeSheet(); }, [this] { m_model.closeSheet(); });
}

QDialog *AssetManagementView::makeSheet()
{
    ModelStore &store = m_model.store();
    if (m_model.showingAddAccount())
        return new AddAssetAccountView(store, this);
    if (m_model.showingTrend())
        return new AssetTrendView(store, this);
    if (m_model.showingRepaymentLedger())
        return new LiabilityRepaymentLedgerView(store, this);
    return new AssetAccountDetailView(store, *m_model.selectedAccount(), this);
}
