// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetChangeRow.h"

#include "AssetWording.h"
#include "model/DateText.h"
#include "model/Money.h"

#include <cmath>

using namespace Qt::StringLiterals;

AssetChangeRow AssetChangeRow::forAccount(const AssetAdjustment &adjustment, bool liabilityWording)
{
    AssetChangeRow row;
    row.id = adjustment.id;
    // A note of blanks is still a note and is shown as it was typed.
    row.title = adjustment.note.isEmpty() ? AssetWording::rowTitle(adjustment.amount, liabilityWording)
                                          : adjustment.note;
    row.caption = DateText::displayDate(adjustment.date);
    row.amountText = AssetWording::signedMoney(adjustment.amount);
    row.gain = adjustment.amount >= 0;
    return row;
}

AssetChangeRow AssetChangeRow::forRepayment(const AssetAdjustment &adjustment, const QString &accountName)
{
    AssetChangeRow row;
    row.id = adjustment.id;
    row.title = accountName;
    row.caption = adjustment.note.isEmpty() ? u"还款"_s : adjustment.note;
    row.amountText = Money::text(std::fabs(adjustment.amount));
    row.gain = true;
    row.trailingCaption = DateText::displayDate(adjustment.date);
    return row;
}

QString AssetChangeRow::accessibleText() const
{
    QStringList parts{title, caption, amountText};
    if (!trailingCaption.isEmpty())
        parts.append(trailingCaption);
    return parts.join(u"，"_s);
}
