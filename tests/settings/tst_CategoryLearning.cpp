// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "entry/NaturalLedgerParser.h"
#include "import/ImportFile.h"
#include "settings/ImportPreview.h"
#include "store/CategoryMemory.h"
#include "store/ModelStore.h"

#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

const ImportRow *rowWith(const ImportPreview &preview, const QString &counterparty)
{
    for (const ImportRow &row : preview.result().rows) {
        if (row.counterparty == counterparty)
            return &row;
    }
    return nullptr;
}

NaturalLedgerParser::CategoryHint hintOf(const CategoryMemory &memory)
{
    return [&memory](const QString &note, EntryKind kind) { return memory.categoryFor(note, kind); };
}

} // namespace

// The person's own books steer the next import and the next sentence before the shared tables.
class CategoryLearningTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 4, 20, 9))); }
    void cleanup() { closeStore(); }

    // A category changed in the import sheet is what the entry is written with; the next file
    // and the next sentence with that merchant follow it, also after the file is opened again.
    void correctionSteersNextImportAndSentence()
    {
        const ImportPreview first =
            ImportPreview::read(m_store.get(), ImportFile::load(dataFile(u"categories-wechat.csv"_s)));
        QCOMPARE(rowWith(first, u"某某工作室"_s)->category, u"其它"_s);
        QCOMPARE(rowWith(first, u"王老板"_s)->category, u"其他收入"_s);
        std::vector<ModelStore::ImportRow> rows;
        for (const ImportRow &row : first.result().rows) {
            ModelStore::ImportRow stored = ImportPreview::storeRow(row);
            if (row.counterparty == u"某某工作室"_s)
                stored.entry.category = u"美容"_s;
            if (row.counterparty == u"王老板"_s)
                stored.entry.category = u"兼职副业"_s;
            rows.push_back(stored);
        }
        QVERIFY(m_store->importEntries(rows));
        m_store.reset();
        m_store = TestSupport::openStore(*m_dir);

        const ImportPreview next =
            ImportPreview::read(m_store.get(), ImportFile::load(dataFile(u"categories-wechat-next.csv"_s)));
        QCOMPARE(rowWith(next, u"某某工作室"_s)->category, u"美容"_s);
        QCOMPARE(rowWith(next, u"王老板"_s)->category, u"兼职副业"_s);
        QCOMPARE(rowWith(next, u"麦当劳(人民广场店)"_s)->category, u"餐饮"_s);

        const CategoryMemory memory = CategoryMemory::of(*m_store);
        QCOMPARE(NaturalLedgerParser::parse(u"服务 58元"_s, hintOf(memory))->category, u"美容"_s);
        QCOMPARE(NaturalLedgerParser::parse(u"收到王老板 300"_s, hintOf(memory))->category, u"兼职副业"_s);
        QCOMPARE(NaturalLedgerParser::parse(u"服务 58元"_s)->category, u"其它"_s);
    }

    void votes_data()
    {
        QTest::addColumn<QStringList>("entries"); // category:note, newest first
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("category"); // empty: nothing learned

        QTest::newRow("one entry teaches") << QStringList{u"美容:星光美甲"_s} << u"星光美甲"_s << u"美容"_s;
        QTest::newRow("digits and blanks left out")
            << QStringList{u"外卖:美团订单-2024031233"_s} << u"美团订单 2024041001"_s << u"外卖"_s;
        QTest::newRow("the most entries win")
            << QStringList{u"餐饮:青禾小馆"_s, u"外卖:青禾小馆"_s, u"外卖:青禾小馆"_s} << u"青禾小馆"_s
            << u"外卖"_s;
        QTest::newRow("a tie goes to the newest")
            << QStringList{u"餐饮:青禾小馆"_s, u"外卖:青禾小馆"_s} << u"青禾小馆"_s << u"餐饮"_s;
        QTest::newRow("a catch-all says nothing")
            << QStringList{u"其它:青禾小馆"_s, u"其它:青禾小馆"_s, u"餐饮:青禾小馆"_s} << u"青禾小馆"_s
            << u"餐饮"_s;
        QTest::newRow("another note") << QStringList{u"餐饮:青禾小馆"_s} << u"青禾"_s << QString();
    }
    void votes()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, asked);
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QString category = entries.at(i).section(u':', 0, 0);
            const QString note = entries.at(i).section(u':', 1);
            // Newest first: the first line is the latest day.
            add(LedgerEntry(10, local(2024, 4, 19 - int(i), 12), EntryKind::expense, category, note));
        }
        QTEST(CategoryMemory::of(*m_store).learnedFor(asked, EntryKind::expense).value_or(QString()),
              "category");
        QVERIFY(!CategoryMemory::of(*m_store).learnedFor(asked, EntryKind::income));
    }

    // A rule made in 账单 or the import sheet comes before the votes, and goes when removed.
    void ruleBeforeVotesUntilRemoved()
    {
        add(LedgerEntry(10, local(2024, 4, 19, 12), EntryKind::expense, u"餐饮"_s, u"青禾小馆"_s));
        QVERIFY(m_store->setCategoryRule({u"青禾小馆"_s, u"支出"_s, u"外卖"_s}));
        QCOMPARE(CategoryMemory::of(*m_store).categoryFor(u"青禾小馆"_s, EntryKind::expense), u"外卖"_s);
        QVERIFY(m_store->removeCategoryRule(u"青禾小馆"_s, u"支出"_s));
        QCOMPARE(CategoryMemory::of(*m_store).categoryFor(u"青禾小馆"_s, EntryKind::expense), u"餐饮"_s);
    }

    // With no history and no rules the parser answers the documented examples as it always did.
    void documentedExamplesOnAnEmptyStore_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("note");
        QTest::newRow("lunch") << u"午饭花了32元"_s << u"餐饮"_s << u"午饭"_s;
        QTest::newRow("bread") << u"今天花了25元买了面包"_s << u"餐饮"_s << u"面包"_s;
        QTest::newRow("salary") << u"收到工资8000"_s << u"工资"_s << u"工资"_s;
        QTest::newRow("taxi") << u"打车 36.5"_s << u"交通"_s << u"打车"_s;
        QTest::newRow("reimbursement") << u"报销 200元"_s << u"报销"_s << u"报销"_s;
        QTest::newRow("yen sign only") << u"¥18"_s << u"其它"_s << u"其它"_s;
        QTest::newRow("groceries") << u"买菜50"_s << u"买菜"_s << u"菜"_s;
    }
    void documentedExamplesOnAnEmptyStore()
    {
        QFETCH(QString, sentence);
        const CategoryMemory memory = CategoryMemory::of(*m_store);
        QVERIFY(memory.isEmpty());
        const std::optional<ParsedLedgerEntry> parsed = NaturalLedgerParser::parse(sentence, hintOf(memory));
        QVERIFY(parsed);
        QTEST(parsed->category, "category");
        QTEST(parsed->note, "note");
    }
};

PENNYLOOM_TEST(CategoryLearningTest)
#include "tst_CategoryLearning.moc"
