// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What of a bill line's texts is worth keeping as an entry's note.
namespace ImportNotes {

// A payment service's stock wording carries nothing the counterparty does not: empty for
// 「收款方备注:二维码收款」, 「转账备注:微信转账」, 「收钱码收款」 and the like; the words
// after such a label when the payer wrote some (「转账备注:房租」 is 「房租」); else the text.
QString readable(const QString &text);

// A bank's "nothing here": dashes, stars, blanks, 「无」, "N/A".
bool isPlaceholder(const QString &text);

// The note with the file's own category kept after it, 「午饭（聚餐）」, so a category that is
// none of ours is not thrown away.
QString withCategory(const QString &note, const QString &category);

// A total, subtotal or balance line of a statement: one of its fields opens with 合计, 总计,
// 本页小计, 期初余额, 期末余额, Total … . On a line with a date the word must be the whole field
// (「期初余额」, 「Total:」), so a shop called "Total Wine" is still a bill.
bool isSummaryLine(const QStringList &fields, bool dated);

// Empty for yuan (CNY, RMB, 人民币, 156, an empty field); otherwise the currency as the file
// names it, upper-cased ("USD", "港币").
QString foreignCurrency(const QString &text);

} // namespace ImportNotes
