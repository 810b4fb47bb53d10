// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportAmount.h"

using namespace Qt::StringLiterals;

namespace {

// 999,999,999,999.99 yuan, the largest amount an entry holds.
constexpr qint64 maximumCents = 99'999'999'999'999;

} // namespace

std::optional<qint64> ImportAmount::cents(const QString &input)
{
    QStringView text = QStringView(input).trimmed();
    bool negative = false;
    const auto takeSign = [&] {
        if (text.startsWith(u'-') || text.startsWith(u'+') || text.startsWith(u'−')) {
            negative = !text.startsWith(u'+');
            text = text.sliced(1).trimmed();
            return true;
        }
        return false;
    };
    const bool signFirst = takeSign();
    for (const QStringView currency : {u"¥", u"￥", u"RMB", u"CNY"}) {
        if (text.startsWith(currency, Qt::CaseInsensitive)) {
            text = text.sliced(currency.size()).trimmed();
            break;
        }
    }
    if (!signFirst)
        takeSign();
    if (text.endsWith(u'元'))
        text = text.chopped(1).trimmed();
    if (text.isEmpty())
        return std::nullopt;

    qint64 whole = 0;
    qsizetype at = 0;
    int digits = 0;
    int groupDigits = -1; // digits since the last comma, -1 before any comma
    for (; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c >= u'0' && c <= u'9') {
            whole = whole * 10 + (c.unicode() - u'0');
            if (whole > maximumCents)
                return std::nullopt;
            ++digits;
            if (groupDigits >= 0)
                ++groupDigits;
        } else if (c == u',' && digits > 0 && (groupDigits < 0 || groupDigits == 3)) {
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (digits == 0 || (groupDigits >= 0 && groupDigits != 3))
        return std::nullopt;
    qint64 fraction = 0;
    if (at < text.size() && text.at(at) == u'.') {
        ++at;
        int decimals = 0;
        for (; at < text.size(); ++at) {
            const QChar c = text.at(at);
            if (c < u'0' || c > u'9')
                return std::nullopt;
            if (decimals < 2)
                fraction = fraction * 10 + (c.unicode() - u'0');
            else if (c != u'0')
                return std::nullopt;
            ++decimals;
        }
        if (decimals == 1)
            fraction *= 10;
    }
    if (at != text.size())
        return std::nullopt;
    const qint64 value = whole * 100 + fraction;
    if (value > maximumCents)
        return std::nullopt;
    return negative ? -value : value;
}

QString ImportAmount::text(qint64 cents)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return u"%1%2.%3"_s.arg(cents < 0 ? u"-"_s : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QChar(u'0'));
}
