// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiabilityRepaymentLedgerView.h"

#include "model/Money.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QLabel>

using namespace Qt::StringLiterals;

LiabilityRepaymentLedgerView::LiabilityRepaymentLedgerView(ModelStore &store, QWidget *parent)
    : AssetLedgerSheet(
          std::make_unique<LiabilityRepaymentLedgerModel>(store), u"还账账单"_s, SheetSize::Ledger,
          {u"creditcard"_s, u"该时间段暂无还款"_s, u"在负债详情中点击“还款”后，会在这里显示。"_s}, parent)
{
    m_total =
        addSummary(u"checkmark.circle.fill"_s, Palette::income(), Fonts::scaled(font(), 1.15, QFont::Bold));
    refresh();
}

void LiabilityRepaymentLedgerView::refreshSummary()
{
    m_total->setText(u"已还 "_s + Money::text(model().totalRepaid()));
    m_total->setAccessibleName(m_total->text());
}
