// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportNotes.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Labels the services put before the payer's own words.
const QRegularExpression &labelPattern()
{
    static const QRegularExpression pattern(
        uR"(^(?:收款方备注|付款方备注|转账备注|付款方留言|收款方留言|备注|留言)\s*[:：]\s*(.*)$)"_s);
    return pattern;
}

bool isStockWording(const QString &text)
{
    static const QStringList stock{u"二维码收款"_s, u"二维码付款"_s, u"扫码付款"_s, u"扫二维码付款"_s,
                                   u"面对面收款"_s, u"收钱码收款"_s, u"微信转账"_s, u"转账"_s,
                                   u"收款"_s,       u"付款"_s,       u"无"_s,       u"/"_s};
    return text.isEmpty() || stock.contains(text);
}

} // namespace

QString ImportNotes::readable(const QString &input)
{
    const QString text = input.trimmed();
    if (const QRegularExpressionMatch label = labelPattern().match(text); label.hasMatch()) {
        const QString words = label.captured(1).trimmed();
        return isStockWording(words) ? QString() : words;
    }
    return isStockWording(text) ? QString() : text;
}

bool ImportNotes::isPlaceholder(const QString &input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return true;
    static const QStringList words{u"无"_s, u"n/a"_s, u"na"_s, u"null"_s, u"none"_s};
    if (words.contains(text.toLower()))
        return true;
    for (const QChar c : text) {
        if (!(c == u'-' || c == u'—' || c == u'－' || c == u'_' || c == u'*' || c == u'/' || c == u'.' ||
              c == u'=' || c.isSpace()))
            return false;
    }
    return true;
}

QString ImportNotes::withCategory(const QString &note, const QString &category)
{
    if (category.isEmpty() || note.contains(category))
        return note;
    if (note.isEmpty())
        return category;
    return u"%1（%2）"_s.arg(note, category);
}

bool ImportNotes::isSummaryLine(const QStringList &fields, bool dated)
{
    static const QStringList words{u"合计"_s,
                                   u"总计"_s,
                                   u"小计"_s,
                                   u"人民币合计"_s,
                                   u"本页小计"_s,
                                   u"本页合计"_s,
                                   u"本期合计"_s,
                                   u"本月合计"_s,
                                   u"期初余额"_s,
                                   u"期末余额"_s,
                                   u"上期余额"_s,
                                   u"本期余额"_s,
                                   u"承前页"_s,
                                   u"过次页"_s,
                                   u"total"_s,
                                   u"subtotal"_s,
                                   u"opening balance"_s,
                                   u"closing balance"_s,
                                   u"balance brought forward"_s,
                                   u"balance carried forward"_s};
    for (const QString &field : fields) {
        QString text = field.trimmed().toLower();
        while (text.endsWith(u':') || text.endsWith(u'：'))
            text.chop(1);
        if (text.isEmpty())
            continue;
        for (const QString &word : words) {
            if (dated ? text == word : text.startsWith(word))
                return true;
        }
    }
    return false;
}

QString ImportNotes::foreignCurrency(const QString &input)
{
    const QString text = input.trimmed().toUpper();
    static const QStringList yuan{QString(), u"CNY"_s, u"RMB"_s, u"人民币"_s, u"人民币元"_s, u"元"_s,
                                  u"156"_s,  u"¥"_s,   u"￥"_s,  u"-"_s,      u"/"_s};
    return yuan.contains(text) ? QString() : text;
}
