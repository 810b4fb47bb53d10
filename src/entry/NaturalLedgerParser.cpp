#include "NaturalLedgerParser.h"

#include "model/AmountText.h"

#include <QChar>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct KeywordRow {
    QString category;
    QStringList keywords;
};

// Rows are tested in order and the first hit wins, so a row placed earlier shadows any
// later row that shares a keyword substring (「面包」 is food, not the bag of 「包」).
const QList<KeywordRow> &expenseRows()
{
    static const QList<KeywordRow> rows{
        {u"餐饮"_s,
         {u"吃"_s, u"饭"_s, u"面包"_s, u"咖啡"_s, u"奶茶"_s, u"早餐"_s, u"午餐"_s, u"晚餐"_s, u"餐厅"_s}},
        {u"外卖"_s, {u"外卖"_s}},
        {u"买菜"_s, {u"买菜"_s, u"超市"_s}},
        {u"蔬菜"_s, {u"蔬菜"_s}},
        {u"水果"_s, {u"水果"_s}},
        {u"零食"_s, {u"零食"_s}},
        {u"饮品"_s, {u"饮料"_s, u"可乐"_s, u"矿泉水"_s}},
        {u"交通"_s, {u"地铁"_s, u"公交"_s, u"火车"_s, u"高铁"_s, u"打车"_s, u"滴滴"_s, u"出租"_s}},
        {u"加油费"_s, {u"加油"_s}},
        {u"汽车"_s, {u"停车"_s, u"洗车"_s, u"车险"_s}},
        {u"房租"_s, {u"房租"_s, u"租金"_s}},
        {u"房贷"_s, {u"房贷"_s}},
        {u"水费"_s, {u"水费"_s}},
        {u"电费"_s, {u"电费"_s}},
        {u"燃气费"_s, {u"燃气"_s}},
        {u"话费"_s, {u"话费"_s, u"流量"_s, u"宽带"_s}},
        {u"数码"_s, {u"会员"_s, u"订阅"_s, u"软件"_s, u"云盘"_s, u"数码"_s}},
        {u"服饰"_s, {u"衣服"_s, u"裤子"_s, u"鞋"_s, u"包"_s}},
        {u"美容"_s, {u"护肤"_s, u"化妆"_s, u"口红"_s, u"面膜"_s}},
        {u"医疗"_s, {u"医院"_s, u"药"_s, u"体检"_s, u"牙"_s}},
        {u"运动"_s, {u"健身"_s, u"游泳"_s, u"跑步"_s}},
        {u"宠物"_s, {u"宠物"_s, u"猫"_s, u"狗"_s, u"猫粮"_s, u"狗粮"_s}},
        {u"学习"_s, {u"课程"_s, u"培训"_s, u"学费"_s}},
        {u"书籍"_s, {u"书"_s, u"教材"_s}},
        {u"礼金"_s, {u"请客"_s, u"随礼"_s, u"礼金"_s}},
        {u"旅行"_s, {u"酒店"_s, u"机票"_s, u"旅行"_s, u"民宿"_s}},
        {u"娱乐"_s, {u"电影"_s, u"演出"_s, u"KTV"_s}},
        {u"游戏"_s, {u"游戏"_s}},
        {u"礼物"_s, {u"礼物"_s}},
        {u"捐赠"_s, {u"捐"_s, u"赠"_s}},
        {u"转账"_s, {u"转账"_s}},
        {u"还款"_s, {u"还款"_s}},
    };
    return rows;
}

const QList<KeywordRow> &incomeRows()
{
    static const QList<KeywordRow> rows{
        {u"工资"_s, {u"工资"_s, u"薪水"_s}},
        {u"奖金"_s, {u"奖金"_s, u"提成"_s}},
        {u"兼职副业"_s, {u"兼职"_s, u"副业"_s, u"稿费"_s}},
        {u"投资理财"_s, {u"理财"_s, u"基金"_s, u"股票"_s, u"利息"_s}},
        {u"报销"_s, {u"报销"_s}},
        {u"红包礼金"_s, {u"红包"_s, u"礼金"_s}},
        {u"退款"_s, {u"退款"_s, u"退回"_s}},
    };
    return rows;
}

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

// An optional currency word, blanks, the digits with at most two decimals, blanks and an
// optional unit. With Unicode properties \d is any decimal digit (fullwidth too, which the
// conversion then refuses) and \s any Unicode blank such as U+3000.
const QRegularExpression &amountExpression()
{
    static const QRegularExpression expression = [] {
        QRegularExpression built(u"(?:¥|￥|人民币)?\\s*(\\d+(?:\\.\\d{1,2})?)\\s*(?:元|块|rmb|RMB)?"_s,
                                 QRegularExpression::CaseInsensitiveOption |
                                     QRegularExpression::UseUnicodePropertiesOption);
        // Compile now, so later matches from any thread only read the compiled pattern.
        built.optimize();
        return built;
    }();
    return expression;
}

QString categoryFor(const QString &text, EntryKind kind)
{
    const QList<KeywordRow> &rows = kind == EntryKind::income ? incomeRows() : expenseRows();
    for (const KeywordRow &row : rows) {
        for (const QString &keyword : row.keywords) {
            if (text.contains(keyword, Qt::CaseInsensitive))
                return row.category;
        }
    }
    return kind == EntryKind::income ? u"其他收入"_s : u"其它"_s;
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

} // namespace

std::optional<ParsedLedgerEntry> NaturalLedgerParser::parse(const QString &input)
{
    const QString sentence = trimmedBy(input, isBlank);
    if (sentence.isEmpty())
        return std::nullopt;

    const QRegularExpression &expression = amountExpression();
    if (!expression.isValid())
        return std::nullopt;
    const QRegularExpressionMatch match = expression.match(sentence);
    if (!match.hasMatch())
        return std::nullopt;

    const std::optional<double> amount = plainDecimal(match.captured(1));
    if (!amount || !(*amount > 0))
        return std::nullopt;

    EntryKind kind = EntryKind::expense;
    for (const QString &word : incomeWords()) {
        if (sentence.contains(word, Qt::CaseInsensitive)) {
            kind = EntryKind::income;
            break;
        }
    }

    const QString category = categoryFor(sentence, kind);

    QString rest = sentence;
    rest.remove(match.capturedStart(0), match.capturedLength(0));
    for (const QString &filler : fillerWords())
        rest.remove(filler, Qt::CaseSensitive);
    QString note = trimmedBy(rest, isBlankOrPunctuation);
    if (note.isEmpty())
        note = category;

    return ParsedLedgerEntry(*amount, kind, category, note);
}
