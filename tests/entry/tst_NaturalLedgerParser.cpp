// SPDX-License-Identifier: GPL-3.0-or-later
#include "AmountPatternReference.h"
#include "TestRegistry.h"

#include "entry/NaturalLedgerParser.h"
#include "model/EntryKind.h"
#include "model/LedgerCategories.h"

#include <QRandomGenerator>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

class NaturalLedgerParserTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void keywordTables_data();
    void keywordTables();
    void concurrentCalls();
    void amountSpan_data();
    void amountSpan();
};

namespace {

const QString expense = u"支出"_s;
const QString income = u"收入"_s;

void addColumns()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<bool>("recognised");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("note");
}

void nothing(const char *name, const QString &sentence)
{
    QTest::newRow(name) << sentence << false << 0.0 << QString() << QString() << QString();
}

void entry(const char *name, const QString &sentence, double amount, const QString &kind,
           const QString &category, const QString &note)
{
    QTest::newRow(name) << sentence << true << amount << kind << category << note;
}

// Checks one result against the expected row, and that its category is one the category
// picker offers for its kind.
void verify(const std::optional<ParsedLedgerEntry> &parsed, double amount, const QString &kind,
            const QString &category, const QString &note)
{
    QVERIFY(parsed.has_value());
    QCOMPARE(parsed->amount, amount);
    QCOMPARE(EntryKinds::rawText(parsed->kind), kind);
    QCOMPARE(parsed->category, category);
    QCOMPARE(parsed->note, note);
    QVERIFY(LedgerCategories::forKind(parsed->kind).contains(parsed->category));
}

} // namespace

void NaturalLedgerParserTest::parse_data()
{
    addColumns();

    // The documented examples.
    entry("example: bread", u"今天花了25元买了面包"_s, 25, expense, u"餐饮"_s, u"面包"_s);
    entry("example: salary", u"收到工资8000"_s, 8000, income, u"工资"_s, u"工资"_s);
    entry("example: taxi", u"打车 36.5"_s, 36.5, expense, u"交通"_s, u"打车"_s);
    entry("example: reimbursement", u"报销 200元"_s, 200, income, u"报销"_s, u"报销"_s);
    entry("example: yen sign only", u"¥18"_s, 18, expense, u"其它"_s, u"其它"_s);
    entry("example: groceries", u"买菜50"_s, 50, expense, u"买菜"_s, u"菜"_s);

    // Blank input and trimming of the sentence.
    nothing("empty", QString());
    nothing("blanks", u"   "_s);
    nothing("only newlines, tabs and Unicode blanks", u"\n\t\u3000\u2028\u0085\u00a0"_s);
    entry("blanks around the amount", u" 25 "_s, 25, expense, u"其它"_s, u"其它"_s);
    entry("newline, tab and ideographic space trimmed", u"\n\t\u300025元 咖啡\u3000\r\n"_s, 25, expense,
          u"餐饮"_s, u"咖啡"_s);

    // Which digit run is the amount, and whether it converts.
    nothing("no digit", u"今天吃饭"_s);
    nothing("currency word without digits", u"人民币¥"_s);
    nothing("zero", u"0元"_s);
    nothing("zero with decimals", u"0.00元"_s);
    entry("half a yuan", u"0.5元"_s, 0.5, expense, u"其它"_s, u"其它"_s);
    entry("one cent", u"0.01元"_s, 0.01, expense, u"其它"_s, u"其它"_s);
    entry("leading zeros", u"007元"_s, 7, expense, u"其它"_s, u"其它"_s);
    nothing("first run zero, later amount ignored", u"买了0个东西花了20"_s);
    entry("comma ends the digit run", u"1,000元"_s, 1, expense, u"其它"_s, u"000元"_s);
    // A third decimal is no amount a form takes: nothing is read rather than a cent dropped.
    nothing("third decimal", u"3.456"_s);
    nothing("third decimal after a word", u"午饭 12.345"_s);
    nothing("third decimal of zero", u"12.340元"_s);
    nothing("third decimal before a unit", u"打车12.345元"_s);
    entry("two decimals and a later number", u"12.34 5个"_s, 12.34, expense, u"其它"_s, u"5个"_s);
    entry("point without decimals is not part of the amount", u"12.元"_s, 12, expense, u"其它"_s, u"元"_s);
    nothing("fullwidth digits", u"２５"_s);
    nothing("fullwidth first run beats a later ASCII run", u"花了２５元买了3个苹果"_s);
    nothing("run mixing ASCII and fullwidth digits", u"3２元"_s);
    nothing("fullwidth decimals", u"12.３元"_s);
    nothing("arabic-indic digits", u"٢٥元"_s);
    nothing("digit run beyond a double", QString(400, u'9'));
    entry("minus sign is not part of the amount", u"-25元 退款"_s, 25, income, u"退款"_s, u"退款"_s);
    entry("later amount stays in the note", u"打车30 小费5"_s, 30, expense, u"交通"_s, u"打车小费5"_s);

    // Currency words and units are cut with the amount.
    entry("RMB", u"25 RMB"_s, 25, expense, u"其它"_s, u"其它"_s);
    entry("rmb", u"25 rmb"_s, 25, expense, u"其它"_s, u"其它"_s);
    entry("Rmb", u"25 Rmb"_s, 25, expense, u"其它"_s, u"其它"_s);
    entry("rMb glued to the digits", u"咖啡25rMb"_s, 25, expense, u"餐饮"_s, u"咖啡"_s);
    entry("renminbi and a blank", u"人民币 25"_s, 25, expense, u"其它"_s, u"其它"_s);
    entry("fullwidth yen sign", u"￥25"_s, 25, expense, u"其它"_s, u"其它"_s);
    entry("yen sign, unit and blanks", u"¥ 25 元"_s, 25, expense, u"其它"_s, u"其它"_s);
    entry("renminbi with blanks on both sides", u"人民币  88 块 午饭"_s, 88, expense, u"餐饮"_s, u"午饭"_s);
    entry("renminbi after the note", u"午饭 人民币 88"_s, 88, expense, u"餐饮"_s, u"午饭"_s);
    entry("ideographic space before the unit", u"咖啡25\u3000元"_s, 25, expense, u"餐饮"_s, u"咖啡"_s);
    entry("unit does not take the next word", u"25 块钱 奶茶"_s, 25, expense, u"餐饮"_s, u"钱 奶茶"_s);
    entry("blanks on both sides of a bare amount are cut", u"打车 36.5 回家"_s, 36.5, expense, u"交通"_s,
          u"打车回家"_s);
    entry("yen sign later in the sentence is not punctuation", u"咖啡 25 ¥"_s, 25, expense, u"餐饮"_s,
          u"咖啡¥"_s);

    // Income or expense.
    entry("received bonus", u"收到了奖金3000"_s, 3000, income, u"奖金"_s, u"奖金"_s);
    entry("income word beats an expense keyword", u"退款 打车 30"_s, 30, income, u"退款"_s, u"退款 打车"_s);
    entry("income word that is also a filler", u"收入500"_s, 500, income, u"其他收入"_s, u"其他收入"_s);
    entry("earned", u"赚了200"_s, 200, income, u"其他收入"_s, u"其他收入"_s);
    entry("credited", u"工资到账 12000"_s, 12000, income, u"工资"_s, u"工资到账"_s);
    entry("income keyword without an income word", u"兼职 300"_s, 300, expense, u"其它"_s, u"兼职"_s);
    entry("gift money as expense", u"礼金 500"_s, 500, expense, u"礼金"_s, u"礼金"_s);
    entry("gift money as income", u"收到礼金 500"_s, 500, income, u"红包礼金"_s, u"礼金"_s);
    entry("expense word is only a filler", u"支出 30 房租"_s, 30, expense, u"房租"_s, u"房租"_s);

    // Category order and matching.
    entry("earlier row wins: fruit over subway", u"地铁买水果10"_s, 10, expense, u"水果"_s, u"地铁水果"_s);
    entry("earlier row wins: bag over book", u"买书包 100"_s, 100, expense, u"服饰"_s, u"书包"_s);
    entry("earlier row wins: bread is not a bag", u"面包20"_s, 20, expense, u"餐饮"_s, u"面包"_s);
    entry("earlier row wins: face mask over pharmacy", u"药店买面膜 35"_s, 35, expense, u"美容"_s,
          u"药店面膜"_s);
    entry("keyword in lower case", u"唱ktv 80"_s, 80, expense, u"娱乐"_s, u"唱ktv"_s);
    entry("keyword in mixed case", u"Ktv唱歌 100"_s, 100, expense, u"娱乐"_s, u"Ktv唱歌"_s);
    entry("keyword found inside the amount's unit side", u"25块 奶茶"_s, 25, expense, u"餐饮"_s, u"奶茶"_s);

    // Filler removal.
    entry("filler inside a word", u"我的咖啡20"_s, 20, expense, u"餐饮"_s, u"咖啡"_s);
    entry("received-le before received", u"收到了红包200"_s, 200, income, u"红包礼金"_s, u"红包"_s);
    entry("received without le", u"收到红包200"_s, 200, income, u"红包礼金"_s, u"红包"_s);
    entry("every spending word removed", u"今天我付款 88 买了衣服"_s, 88, expense, u"服饰"_s, u"衣服"_s);
    entry("repeated filler", u"花了花了30"_s, 30, expense, u"其它"_s, u"其它"_s);
    entry("removal is a single pass per word", u"花花了了10"_s, 10, expense, u"其它"_s, u"了"_s);

    // Trimming of the note.
    entry("amount first, punctuation around the note", u"25元，买了咖啡！"_s, 25, expense, u"餐饮"_s,
          u"咖啡"_s);
    entry("brackets around the note", u"¥30：（午餐）"_s, 30, expense, u"餐饮"_s, u"午餐"_s);
    entry("punctuation inside the note is kept", u"咖啡、面包 30"_s, 30, expense, u"餐饮"_s, u"咖啡、面包"_s);
    entry("only punctuation falls back to the category", u"！！！50元。。。"_s, 50, expense, u"其它"_s,
          u"其它"_s);
    entry("only punctuation falls back to the income category", u"收入：500元！"_s, 500, income,
          u"其他收入"_s, u"其他收入"_s);
    entry("currency sign is not punctuation", u"咖啡$ 25"_s, 25, expense, u"餐饮"_s, u"咖啡$"_s);
    entry("emoji kept in the note", u"买咖啡😀 20"_s, 20, expense, u"餐饮"_s, u"咖啡😀"_s);
    entry("emoji at both ends of the note", u"🎬电影🍿 45"_s, 45, expense, u"娱乐"_s,
          u"🎬电影🍿"_s);
    entry("emoji between punctuation", u"！😀！ 10"_s, 10, expense, u"其它"_s, u"😀"_s);
    entry("supplementary punctuation trimmed whole", u"\U0001E95E电影\U0001E95E 45"_s, 45, expense, u"娱乐"_s,
          u"电影"_s);
}

void NaturalLedgerParserTest::parse()
{
    QFETCH(QString, sentence);
    QFETCH(bool, recognised);
    QFETCH(double, amount);
    QFETCH(QString, kind);
    QFETCH(QString, category);
    QFETCH(QString, note);

    const std::optional<ParsedLedgerEntry> parsed = NaturalLedgerParser::parse(sentence);
    if (!recognised) {
        QVERIFY(!parsed.has_value());
        return;
    }
    verify(parsed, amount, kind, category, note);
}

void NaturalLedgerParserTest::keywordTables_data()
{
    addColumns();

    struct Row {
        QString category;
        QString keywords;
    };
    // Each keyword of the tables, alone in a sentence, yields its own row's category.
    const QList<Row> expenseRows{
        {u"餐饮"_s, u"吃 饭 面包 咖啡 奶茶 早餐 午餐 晚餐 餐厅"_s},
        {u"外卖"_s, u"外卖"_s},
        {u"买菜"_s, u"买菜 超市"_s},
        {u"蔬菜"_s, u"蔬菜"_s},
        {u"水果"_s, u"水果"_s},
        {u"零食"_s, u"零食"_s},
        {u"饮品"_s, u"饮料 可乐 矿泉水"_s},
        {u"交通"_s, u"地铁 公交 火车 高铁 打车 滴滴 出租"_s},
        {u"加油费"_s, u"加油"_s},
        {u"汽车"_s, u"停车 洗车 车险"_s},
        {u"房租"_s, u"房租 租金"_s},
        {u"房贷"_s, u"房贷"_s},
        {u"水费"_s, u"水费"_s},
        {u"电费"_s, u"电费"_s},
        {u"燃气费"_s, u"燃气"_s},
        {u"话费"_s, u"话费 流量 宽带"_s},
        {u"数码"_s, u"会员 订阅 软件 云盘 数码"_s},
        {u"服饰"_s, u"衣服 裤子 鞋 包"_s},
        {u"美容"_s, u"护肤 化妆 口红 面膜"_s},
        {u"医疗"_s, u"医院 药 体检 牙"_s},
        {u"运动"_s, u"健身 游泳 跑步"_s},
        {u"宠物"_s, u"宠物 猫 狗 猫粮 狗粮"_s},
        {u"学习"_s, u"课程 培训 学费"_s},
        {u"书籍"_s, u"书 教材"_s},
        {u"礼金"_s, u"请客 随礼 礼金"_s},
        {u"旅行"_s, u"酒店 机票 旅行 民宿"_s},
        {u"娱乐"_s, u"电影 演出 KTV"_s},
        {u"游戏"_s, u"游戏"_s},
        {u"礼物"_s, u"礼物"_s},
        {u"捐赠"_s, u"捐 赠"_s},
        {u"转账"_s, u"转账"_s},
        {u"还款"_s, u"还款"_s},
    };
    const QList<Row> incomeRows{
        {u"工资"_s, u"工资 薪水"_s},
        {u"奖金"_s, u"奖金 提成"_s},
        {u"兼职副业"_s, u"兼职 副业 稿费"_s},
        {u"投资理财"_s, u"理财 基金 股票 利息"_s},
        {u"报销"_s, u"报销"_s},
        {u"红包礼金"_s, u"红包 礼金"_s},
        {u"退款"_s, u"退款 退回"_s},
    };

    for (const Row &row : expenseRows) {
        for (const QString &keyword : row.keywords.split(u' ')) {
            // The filler "买" is cut out of the note of 「买菜」.
            const QString note = keyword == u"买菜"_s ? u"菜"_s : keyword;
            QTest::addRow("expense %s", keyword.toUtf8().constData())
                << (keyword + u" 10"_s) << true << 10.0 << expense << row.category << note;
        }
    }
    // "到账" makes the sentence income without matching any income keyword itself.
    for (const Row &row : incomeRows) {
        for (const QString &keyword : row.keywords.split(u' ')) {
            QTest::addRow("income %s", keyword.toUtf8().constData())
                << (u"到账"_s + keyword + u" 10"_s) << true << 10.0 << income << row.category
                << (u"到账"_s + keyword);
        }
    }
    QTest::newRow("expense fallback") << u"10"_s << true << 10.0 << expense << u"其它"_s << u"其它"_s;
    QTest::newRow("income fallback") << u"到账10"_s << true << 10.0 << income << u"其他收入"_s << u"到账"_s;
}

void NaturalLedgerParserTest::keywordTables()
{
    QFETCH(QString, sentence);
    QFETCH(double, amount);
    QFETCH(QString, kind);
    QFETCH(QString, category);
    QFETCH(QString, note);

    verify(NaturalLedgerParser::parse(sentence), amount, kind, category, note);
}

void NaturalLedgerParserTest::concurrentCalls()
{
    const QStringList sentences{u"今天花了25元买了面包"_s, u"收到工资8000"_s, u"人民币 25 RMB"_s, u"２５"_s};
    QList<std::optional<ParsedLedgerEntry>> expected;
    for (const QString &sentence : sentences)
        expected.append(NaturalLedgerParser::parse(sentence));

    std::atomic<int> mismatches = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int round = 0; round < 500; ++round) {
                for (qsizetype i = 0; i < sentences.size(); ++i) {
                    const auto parsed = NaturalLedgerParser::parse(sentences.at(i));
                    const auto &want = expected.at(i);
                    const bool same =
                        parsed.has_value() == want.has_value() &&
                        (!parsed || (parsed->amount == want->amount && parsed->kind == want->kind &&
                                     parsed->category == want->category && parsed->note == want->note));
                    if (!same)
                        ++mismatches;
                }
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(mismatches.load(), 0);
}

PENNYLOOM_TEST(NaturalLedgerParserTest)
namespace {

QString spanText(const std::optional<NaturalLedgerParser::AmountSpan> &span)
{
    if (!span)
        return u"none"_s;
    return u"%1-%2 digits %3-%4"_s.arg(span->start)
        .arg(span->end)
        .arg(span->digitsStart)
        .arg(span->digitsEnd);
}

// Sentences drawn from the characters the rule treats specially, and a few it must not.
QStringList randomSentences(quint32 seed, int count)
{
    static const QStringList pieces{u"1"_s,
                                    u"9"_s,
                                    u"0"_s,
                                    u"."_s,
                                    u".."_s,
                                    u"１"_s,
                                    u"\U0001D7CF"_s,
                                    u"٣"_s,
                                    u" "_s,
                                    u"\u3000"_s,
                                    u"\t"_s,
                                    u"\u00A0"_s,
                                    u"\u180E"_s,
                                    u"\u2028"_s,
                                    u"\u200B"_s,
                                    u"¥"_s,
                                    u"￥"_s,
                                    u"人民币"_s,
                                    u"人民"_s,
                                    u"元"_s,
                                    u"块"_s,
                                    u"rmb"_s,
                                    u"RmB"_s,
                                    u"rm"_s,
                                    u"午饭"_s,
                                    u"x"_s,
                                    u"\U0001F600"_s,
                                    QString(QChar(0xD83D)),
                                    QString(QChar(0xDC00)),
                                    u"$"_s};
    QRandomGenerator random(seed);
    QStringList sentences;
    for (int i = 0; i < count; ++i) {
        QString sentence;
        const int length = random.bounded(1, 12);
        for (int j = 0; j < length; ++j)
            sentence += pieces.at(random.bounded(pieces.size()));
        sentences.append(sentence);
    }
    return sentences;
}

} // namespace

void NaturalLedgerParserTest::amountSpan_data()
{
    QTest::addColumn<QStringList>("sentences");
    QTest::newRow("Mongolian vowel separator counts as a blank") << QStringList{u"x\u180E12\u180E元"_s};
    QTest::newRow("ideographic spaces on both sides")
        << QStringList{u"午饭\u3000\u3000人民币\u300032.5\u3000\u3000块"_s};
    QTest::newRow("currency word not next to the blanks") << QStringList{u"人民币x 12"_s, u"¥ ¥ 3"_s};
    QTest::newRow("decimals: one, two, three, none after the point")
        << QStringList{u"1.5"_s, u"1.25元"_s, u"1.234"_s, u"7.元"_s, u".5"_s, u"3..4"_s};
    QTest::newRow("digits beyond ASCII") << QStringList{u"１２元"_s, u"\U0001D7CF\U0001D7D0 rmb"_s, u"٣.٤"_s};
    QTest::newRow("unit in any case") << QStringList{u"5RMB"_s, u"5 Rmb"_s, u"5 rm"_s};
    QTest::newRow("lone surrogates around the amount")
        << QStringList{QString(QChar(0xD83D)) + u" 8 "_s + QString(QChar(0xDC00))};
    QTest::newRow("long blank runs") << QStringList{u"x"_s + QString(4000, u' ') + u"x"_s,
                                                    u"x"_s + QString(3000, QChar(0x3000)) + u"9"_s +
                                                        QString(3000, u' ')};
    for (quint32 seed = 1; seed <= 6; ++seed)
        QTest::newRow(qPrintable(u"random sentences, seed %1"_s.arg(seed))) << randomSentences(seed, 400);
}

void NaturalLedgerParserTest::amountSpan()
{
    QFETCH(QStringList, sentences);
    for (const QString &sentence : sentences) {
        const QString found = spanText(NaturalLedgerParser::findAmount(sentence));
        const QString expected = spanText(referenceAmountSpan(sentence));
        QVERIFY2(found == expected,
                 qPrintable(u"%1 for %2, expected %3"_s.arg(found, sentence.left(40), expected)));
    }
}

#include "tst_NaturalLedgerParser.moc"
