// SPDX-License-Identifier: GPL-3.0-or-later
#include "NaturalLedgerParser.h"

#include "model/AmountText.h"
#include "model/CategoryKeywords.h"
#include "model/CategoryWordTable.h"
#include "model/LedgerCategories.h"

#include <QChar>
#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Any of these anywhere in the sentence makes it income.
const QStringList &incomeWords()
{
    static const QStringList words{u"收入"_s, u"赚了"_s, u"收到"_s, u"收到了"_s, u"工资"_s,
                                   u"奖金"_s, u"报销"_s, u"退款"_s, u"到账"_s,   u"入账"_s};
    return words;
}

// Cut out of the note in this order; each word comes before any shorter word that begins
// it, so 「收到了」 leaves no stray 「了」.
const QStringList &fillerWords()
{
    static const QStringList words{u"花了"_s, u"花"_s,   u"买了"_s, u"买"_s,   u"消费"_s, u"支出"_s,
                                   u"付款"_s, u"付了"_s, u"付"_s,   u"收入"_s, u"赚了"_s, u"收到了"_s,
                                   u"收到"_s, u"一笔"_s, u"今天"_s, u"我"_s,   u"的"_s,   u"是"_s};
    return words;
}

// The captured digits as a number, only when they are ASCII digits with at most one point.
std::optional<double> plainDecimal(const QString &digits)
{
    qsizetype points = 0;
    for (const QChar c : digits) {
        if (c == u'.')
            ++points;
        else if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    if (points > 1)
        return std::nullopt;
    return AmountText::parse(digits);
}

// The code point that starts at index, and how many UTF-16 units it takes.
std::pair<char32_t, qsizetype> codePointAt(const QString &text, qsizetype index)
{
    const QChar c = text.at(index);
    if (c.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate())
        return {QChar::surrogateToUcs4(c, text.at(index + 1)), 2};
    return {c.unicode(), 1};
}

// The code point that ends just before end, and how many UTF-16 units it takes.
std::pair<char32_t, qsizetype> codePointBefore(const QString &text, qsizetype end)
{
    const QChar c = text.at(end - 1);
    if (c.isLowSurrogate() && end >= 2 && text.at(end - 2).isHighSurrogate())
        return {QChar::surrogateToUcs4(text.at(end - 2), c), 2};
    return {c.unicode(), 1};
}

// Drops code points matching strip from both ends; a surrogate pair is kept or dropped whole.
template <typename Predicate> QString trimmedBy(const QString &text, Predicate strip)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end) {
        const auto [codePoint, width] = codePointAt(text, begin);
        if (!strip(codePoint))
            break;
        begin += width;
    }
    while (end > begin) {
        const auto [codePoint, width] = codePointBefore(text, end);
        if (!strip(codePoint))
            break;
        end -= width;
    }
    return text.mid(begin, end - begin);
}

// Tab, line feed to carriage return, NEL and the Unicode space and separator categories.
bool isBlank(char32_t codePoint)
{
    return QChar::isSpace(codePoint);
}

// Blanks and every Unicode punctuation category (P*); symbols such as currency signs and
// emoji are not punctuation and stay.
bool isBlankOrPunctuation(char32_t codePoint)
{
    return QChar::isSpace(codePoint) || QChar::isPunct(codePoint);
}

// A blank around an amount: the Unicode blanks, and U+180E, which Unicode no longer counts as
// a space but the amount rule always has.
bool isAmountBlank(char32_t codePoint)
{
    return QChar::isSpace(codePoint) || codePoint == 0x180E;
}

// Any Unicode decimal digit (fullwidth too, which the conversion then refuses).
bool isDigitAt(const QString &text, qsizetype index, qsizetype *width)
{
    if (index >= text.size())
        return false;
    const auto [codePoint, units] = codePointAt(text, index);
    *width = units;
    return QChar::isDigit(codePoint);
}

bool hasAt(const QString &text, qsizetype index, QStringView word)
{
    return QStringView(text).sliced(index).startsWith(word, Qt::CaseInsensitive);
}

} // namespace

// One pass from the first digit, whatever the length of the blank runs around it: the
// leftmost amount always holds the first digit, so only the text just before it is looked at.
std::optional<NaturalLedgerParser::AmountSpan> NaturalLedgerParser::findAmount(const QString &text)
{
    // Broken UTF-16 (a lone surrogate) has never held an amount for this rule.
    if (!QStringView(text).isValidUtf16())
        return std::nullopt;
    qsizetype width = 0;
    qsizetype first = 0;
    while (first < text.size() && !isDigitAt(text, first, &width))
        first += codePointAt(text, first).second;
    if (first >= text.size())
        return std::nullopt;

    AmountSpan span;
    span.digitsStart = first;
    // Back over the blanks before the digits, then over a currency word just before them.
    span.start = first;
    while (span.start > 0) {
        const auto [codePoint, units] = codePointBefore(text, span.start);
        if (!isAmountBlank(codePoint))
            break;
        span.start -= units;
    }
    for (const QStringView currency : {u"人民币", u"¥", u"￥"}) {
        if (span.start >= currency.size() && hasAt(text, span.start - currency.size(), currency)) {
            span.start -= currency.size();
            break;
        }
    }

    qsizetype at = first;
    while (isDigitAt(text, at, &width))
        at += width;
    if (at < text.size() && text.at(at) == u'.' && isDigitAt(text, at + 1, &width)) {
        at += 1 + width;
        if (isDigitAt(text, at, &width))
            at += width;
    }
    span.digitsEnd = at;
    while (at < text.size()) {
        const auto [codePoint, units] = codePointAt(text, at);
        if (!isAmountBlank(codePoint))
            break;
        at += units;
    }
    for (const QStringView unit : {u"元", u"块", u"rmb"}) {
        if (hasAt(text, at, unit)) {
            at += unit.size();
            break;
        }
    }
    span.end = at;
    return span;
}

std::optional<ParsedLedgerEntry> NaturalLedgerParser::parse(const QString &input, const CategoryHint &hint)
{
    const QString sentence = trimmedBy(input, isBlank);
    if (sentence.isEmpty())
        return std::nullopt;

    const std::optional<AmountSpan> span = findAmount(sentence);
    if (!span)
        return std::nullopt;

    const std::optional<double> amount =
        plainDecimal(sentence.sliced(span->digitsStart, span->digitsEnd - span->digitsStart));
    if (!amount || !(*amount > 0))
        return std::nullopt;
    // The digits stop after two decimals; one more digit right there means the sentence holds
    // an amount below the cent, which no form takes, rather than an amount and a stray digit.
    if (qsizetype width = 0; isDigitAt(sentence, span->digitsEnd, &width))
        return std::nullopt;

    EntryKind kind = EntryKind::expense;
    for (const QString &word : incomeWords()) {
        if (sentence.contains(word, Qt::CaseInsensitive)) {
            kind = EntryKind::income;
            break;
        }
    }

    QString rest = sentence;
    rest.remove(span->start, span->end - span->start);
    for (const QString &filler : fillerWords())
        rest.remove(filler, Qt::CaseSensitive);
    QString note = trimmedBy(rest, isBlankOrPunctuation);

    std::optional<QString> category;
    if (hint && !note.isEmpty()) {
        category = hint(note, kind);
        if (category && !LedgerCategories::forKind(kind).contains(*category))
            category.reset();
    }
    if (!category)
        category = CategoryKeywords::categoryFor(sentence, kind);
    if (!category)
        category = CategoryWordTable::merchants().findIn(sentence, kind);
    if (!category)
        category = CategoryKeywords::fallback(kind);
    if (note.isEmpty())
        note = *category;

    return ParsedLedgerEntry(*amount, kind, *category, note);
}
