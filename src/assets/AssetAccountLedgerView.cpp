// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccountLedgerView.h"

#include "model/Money.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QLabel>

using namespace Qt::StringLiterals;

AssetAccountLedgerView::AssetAccountLedgerView(ModelStore &store, const AssetAccount &account,
                                               QWidget *parent)
    : AssetLedgerSheet(std::make_unique<AssetAccountLedgerModel>(store, account), account.name + u" 账单"_s,
                       SheetSize::Ledger,
                       {u"calendar"_s, u"该时间段暂无资产变动"_s, u"调整日期范围或新增一笔金额变动。"_s},
                       parent)
{
    const QFont summary = Fonts::withWeight(font(), QFont::Medium);
    m_added = addSummary(u"arrow.up.right"_s, Palette::income(), summary);
    m_deducted = addSummary(u"arrow.down.right"_s, Palette::over(), summary);
    m_net = addSummary(u"equal.circle"_s, Palette::secondaryText(), summary);
    refresh();
}

void AssetAccountLedgerView::refreshSummary()
{
    const AssetAccountLedgerModel &ledger = model();
    m_added->setText(u"增加 "_s + Money::text(ledger.added()));
    m_deducted->setText(u"扣除 "_s + Money::text(ledger.deducted()));
    m_net->setText(u"净变动 "_s + Money::text(ledger.netChange()));
    for (QLabel *label : {m_added, m_deducted, m_net})
        label->setAccessibleName(label->text());
}
