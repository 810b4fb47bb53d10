// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ImportFile.h"
#include "settings/ImportPreview.h"
#include "store/ImportTables.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;
using Status = ImportPreview::Status;

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

ImportPreview previewOf(const ModelStore *store, const QString &name,
                        ImportDateOrder order = ImportDateOrder::automatic)
{
    return ImportPreview::read(store, ImportFile::load(dataFile(name)), std::nullopt, order);
}

// Every row of the preview, whatever its status, as the store would be handed them.
std::vector<ModelStore::ImportRow> allRows(const ImportPreview &preview)
{
    std::vector<ModelStore::ImportRow> rows;
    for (const ImportRow &row : preview.result().rows)
        rows.push_back(ImportPreview::storeRow(row));
    return rows;
}

} // namespace

// Bill files through the real store: what the preview counts is what the write does, and a
// file imported twice adds nothing the second time.
class ImportRoundTripTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 6, 1, 12))); }
    void cleanup() { closeStore(); }

    void previewIsTheWrite_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("fresh");
        QTest::addColumn<int>("repeated");
        for (const QString &file :
             {u"wechat.csv"_s, u"alipay.csv"_s, u"alipay-older.csv"_s, u"bank.csv"_s, u"qif-us.qif"_s,
              u"bank-statement.ofx"_s, u"wechat-refunds.csv"_s, u"bank-quoted-currency.csv"_s,
              u"card-trailing-comma.csv"_s, u"bank-dmy.csv"_s, u"bank-categories.csv"_s,
              u"bank-ambiguous.csv"_s, u"wechat.xlsx"_s, u"qif-european.qif"_s, u"card-statement.qfx"_s})
            QTest::newRow(qPrintable(file)) << file << -1 << 0;
        QTest::newRow("one id on many lines") << u"wechat-shared-ids.csv"_s << 4 << 1;
    }

    // Every row handed to the store, the repeated ones too: exactly the preview's new rows are
    // written and exactly its 已导入过 are passed over. Then the same file adds nothing.
    void previewIsTheWrite()
    {
        QFETCH(QString, file);
        QFETCH(int, fresh);
        QFETCH(int, repeated);
        const ImportPreview first = previewOf(m_store.get(), file);
        QVERIFY2(first.result().ok(), qPrintable(first.result().fileError));
        if (fresh >= 0)
            QCOMPARE(first.count(Status::fresh), fresh);
        QCOMPARE(first.count(Status::alreadyImported), repeated);
        QCOMPARE(first.count(Status::possibleDuplicate), 0);
        const std::optional<ModelStore::ImportResult> written = m_store->importEntries(allRows(first));
        QVERIFY(written);
        QCOMPARE(int(written->inserted.size()), first.count(Status::fresh));
        QCOMPARE(written->alreadyImported, first.count(Status::alreadyImported));

        const ImportPreview again = previewOf(m_store.get(), file);
        QCOMPARE(again.count(Status::fresh), 0);
        QCOMPARE(int(again.result().rows.size()), int(first.result().rows.size()));
        const std::optional<ModelStore::ImportResult> twice = m_store->importEntries(again.freshRows());
        QVERIFY(twice);
        QVERIFY(twice->inserted.empty());
        QCOMPARE(int(m_store->entries().size()), first.count(Status::fresh));
    }

    // Lines that share an id differ by kind, amount or time; each is its own entry, and only
    // the one that agrees in all of them with an imported line is that line.
    void sharedIdIsNotOneLine()
    {
        const ImportPreview preview = previewOf(m_store.get(), u"wechat-shared-ids.csv"_s);
        std::vector<ModelStore::ImportRow> rows = preview.freshRows();
        QCOMPARE(rows.size(), size_t(4));
        // The lunch of 3 May alone first.
        const auto lunch = std::find_if(rows.begin(), rows.end(), [](const ModelStore::ImportRow &row) {
            return row.entry.date == local(2024, 5, 3, 12);
        });
        QVERIFY(lunch != rows.end());
        QVERIFY(m_store->importEntries({*lunch}));
        const ImportPreview after = previewOf(m_store.get(), u"wechat-shared-ids.csv"_s);
        QCOMPARE(after.count(Status::fresh), 3);
        QCOMPARE(after.count(Status::alreadyImported), 2);
    }

    // A line kept by its id alone, as stores written before kept them, is still that line while
    // its entry reads as the line does; another line with the same id is new.
    void lineKeptByIdAlone()
    {
        const ImportPreview preview = previewOf(m_store.get(), u"wechat-shared-ids.csv"_s);
        ModelStore::ImportRow bread = preview.freshRows().front();
        const QString id = bread.transactionID;
        bread.transactionID.clear();
        QVERIFY(m_store->importEntries({bread}));
        const QString path = m_store->path();
        m_store.reset();
        {
            SqliteDatabase db;
            QVERIFY(db.open(path));
            SqliteStatement insert(db, "INSERT INTO \"ImportedEntry\" (\"entryID\", \"source\", "
                                       "\"transactionID\") VALUES (?1, ?2, ?3)");
            insert.bind(1, bread.entry.id.toString(QUuid::WithoutBraces));
            insert.bind(2, u"wechat"_s);
            insert.bind(3, id);
            QVERIFY(insert.run());
        }
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
        const ImportPreview after = previewOf(m_store.get(), u"wechat-shared-ids.csv"_s);
        QCOMPARE(after.count(Status::fresh), 3);
        QCOMPARE(after.count(Status::alreadyImported), 2);
    }

    // A table's lines carry no id: a second reading finds each as a possible duplicate, and
    // what is written by default adds nothing.
    void tableTwiceAddsNothing()
    {
        QVERIFY(m_store->importEntries(previewOf(m_store.get(), u"bank-dmy.csv"_s).freshRows()));
        const ImportPreview again = previewOf(m_store.get(), u"bank-dmy.csv"_s);
        QCOMPARE(again.count(Status::fresh), 0);
        QCOMPARE(again.count(Status::possibleDuplicate), 4);
    }
};

PENNYLOOM_TEST(ImportRoundTripTest)
#include "tst_ImportRoundTrip.moc"
