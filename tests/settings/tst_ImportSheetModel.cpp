// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ImportFile.h"
#include "settings/ImportRowsModel.h"
#include "settings/ImportSheetModel.h"
#include "store/ModelStore.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
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

// The model once its worker has read the rows.
bool settled(const ImportSheetModel &model)
{
    return QTest::qWaitFor([&] { return !model.reading(); }, 20000);
}

} // namespace

// The import sheet's figures and choices, on the bill files under tests/data/import and a
// store of the test's own.
class ImportSheetModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 4, 1, 12))); }
    void cleanup() { closeStore(); }

    // The model read once its worker is done.
    std::unique_ptr<ImportSheetModel> opened(const QString &path)
    {
        auto model = std::make_unique<ImportSheetModel>(*m_store, path);
        if (!settled(*model))
            qWarning("the import sheet is still reading %s", qPrintable(path));
        return model;
    }

    void opening_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QList<int>>("counts"); // new, imported before, possible duplicates
        QTest::addColumn<QString>("confirm");
        QTest::newRow("bill, fresh store")
            << u"wechat.csv"_s << QString() << QList<int>{8, 0, 0} << u"导入 8 笔"_s;
        QTest::newRow("bill imported before")
            << u"wechat.csv"_s << u"import"_s << QList<int>{0, 8, 0} << u"导入 0 笔"_s;
        QTest::newRow("table, one line looks like a held entry")
            << u"bank.csv"_s << u"lookalike"_s << QList<int>{3, 0, 1} << u"导入 3 笔"_s;
        QTest::newRow("table imported before: every line looks held")
            << u"bank.csv"_s << u"import"_s << QList<int>{0, 0, 4} << u"导入 0 笔"_s;
    }

    // Only new lines start ticked; a line imported before cannot be ticked at all, a possible
    // duplicate can.
    void opening()
    {
        QFETCH(QString, file);
        QFETCH(QString, before);
        QFETCH(QList<int>, counts);
        QFETCH(QString, confirm);
        if (before == u"import"_s)
            QVERIFY(opened(dataFile(file))->importTicked());
        if (before == u"lookalike"_s)
            add(LedgerEntry(32, local(2024, 3, 5, 8), EntryKind::expense, u"购物"_s, u"午饭"_s));

        ImportSheetModel model(*m_store, dataFile(file));
        ImportRowsModel table(model);
        QAbstractItemModelTester early(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(model.reading());
        QVERIFY(!model.canImport());
        QVERIFY(settled(model));
        QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE((QList<int>{model.count(Status::fresh), model.count(Status::alreadyImported),
                             model.count(Status::possibleDuplicate)}),
                 counts);
        QCOMPARE(model.confirmText(), confirm);
        QCOMPARE(model.canImport(), counts.at(0) > 0);
        for (size_t i = 0; i < model.rows().size(); ++i) {
            const ImportSheetModel::Row &row = model.rows()[i];
            QCOMPARE(row.ticked, row.status == Status::fresh);
            QCOMPARE(model.setTicked(int(i), true), row.status != Status::alreadyImported);
        }
        QCOMPARE(model.tickedCount(), counts.at(0) + counts.at(2));
    }

    // A line past the forms' limits is a line that cannot be read, with the forms' reason, in
    // line order among the reader's own; the lines around it still come in.
    void keepsTheFormsLimits()
    {
        const QString header = u"交易日期,交易时间,摘要,对方户名,收入金额,支出金额,余额\n"_s;
        const QString bill = header + u"2024-03-05,12:30:00,午饭,青禾小馆,,32.00,0\n"_s +
                             u"2024-03-06,12:30:00,房子,某人,,1000000000000.00,0\n"_s +
                             u"2024-03-07,12:30:00,%1,某人,,5.00,0\n"_s.arg(QString(501, u'长')) +
                             u"2024-03-08,12:30:00,晚饭,青禾小馆,,45.00,0\n"_s;
        const ImportPreview preview =
            ImportPreview::read(m_store.get(), ImportFile::fromBytes(bill.toUtf8(), u"bank.csv"_s));
        QCOMPARE(preview.result().rows.size(), size_t(2));
        QCOMPARE(preview.statuses().size(), size_t(2));
        QStringList errors;
        for (const ImportRowError &error : preview.result().errors)
            errors << u"%1 %2"_s.arg(error.line).arg(error.reason);
        QCOMPARE(errors, (QStringList{u"3 金额“1000000000000.00”无法读取"_s, u"4 备注不能超过 500 个字"_s}));
    }

    // A file's own category that matches none of ours is mapped once: the rows under it take
    // our category, and the next file reads by the same choice.
    void fileCategoryRemembered()
    {
        ImportSheetModel model(*m_store, dataFile(u"qif-us.qif"_s));
        QVERIFY(settled(model));
        QVERIFY(!model.unmatchedCategories().isEmpty());
        const QString theirs = model.unmatchedCategories().constFirst();
        QVERIFY(model.mapFileCategory(theirs, u"日用"_s));
        QVERIFY(settled(model));
        QVERIFY(!model.unmatchedCategories().contains(theirs));
        QVERIFY(std::any_of(model.rows().begin(), model.rows().end(),
                            [](const ImportSheetModel::Row &row) { return row.row.category == u"日用"_s; }));
        QVERIFY(!opened(dataFile(u"qif-us.qif"_s))->unmatchedCategories().contains(theirs));
    }

    // Dates that read both ways are read month first until the user says day first.
    void dateOrderChosen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ambiguous.qif"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("!Type:Bank\nD03/04/2024\nT-12.00\nP\xe9\x9d\x92\xe7\xa6\xbe\n^\n");
        file.close();
        ImportSheetModel model(*m_store, path);
        QVERIFY(settled(model));
        QVERIFY(model.dateOrderAmbiguous());
        QCOMPARE(model.rows().at(0).row.time.date(), QDate(2024, 3, 4));
        model.setDateOrder(ImportDateOrder::dayFirst);
        QVERIFY(settled(model));
        QCOMPARE(model.rows().at(0).row.time.date(), QDate(2024, 4, 3));
    }

    // A category changed by hand offers a rule for the counterparty; accepting saves it, files
    // the counterparty's other lines of that kind under it, and the next file reads by it.
    void ruleOffer()
    {
        ImportSheetModel model(*m_store, dataFile(u"bank.csv"_s));
        QVERIFY(settled(model));
        QCOMPARE(model.rows()[3].row.counterparty, u"青禾小馆"_s);
        QVERIFY(!model.setCategory(0, u"工资"_s));
        QVERIFY(!model.ruleOffer());
        QVERIFY(model.setCategory(0, u"购物"_s));
        QCOMPARE(model.ruleOfferText(), u"以后 青禾小馆 都记为 购物"_s);
        QVERIFY(model.acceptRuleOffer());
        QVERIFY(!model.ruleOffer());
        QCOMPARE(m_store->categoryRules(),
                 (std::vector<CategoryRule>{{u"青禾小馆"_s, u"支出"_s, u"购物"_s}}));
        QCOMPARE(model.rows()[3].row.category, u"购物"_s);
        QCOMPARE(model.rows()[2].row.category, u"水果"_s);

        QCOMPARE(opened(dataFile(u"bank.csv"_s))->rows()[3].row.category, u"购物"_s);
    }

    // The mapping as the user left it is the one the next file with that header opens with,
    // but only once it was used for an import. One amount and income/expense exclude each other.
    void mappingRemembered()
    {
        const ColumnMapping guessed = opened(dataFile(u"bank.csv"_s))->mapping();
        {
            ImportSheetModel model(*m_store, dataFile(u"bank.csv"_s));
            QVERIFY(settled(model));
            QVERIFY(model.needsMapping());
            QSignalSpy reset(&model, &ImportSheetModel::reset);
            model.setColumn(&ColumnMapping::note, 3);
            QVERIFY(model.reading());
            QVERIFY(settled(model));
            QCOMPARE(reset.count(), 1);
            QCOMPARE(model.rows()[0].row.note, u"青禾小馆"_s);
            model.setColumn(&ColumnMapping::amount, 5);
            QCOMPARE(std::tuple(model.mapping().amount, model.mapping().income, model.mapping().expense),
                     std::tuple(5, -1, -1));
            model.setColumn(&ColumnMapping::expense, 5);
            model.setColumn(&ColumnMapping::income, 4);
            QCOMPARE(std::tuple(model.mapping().amount, model.mapping().income, model.mapping().expense),
                     std::tuple(-1, 4, 5));
            QCOMPARE(opened(dataFile(u"bank.csv"_s))->mapping(), guessed);
            QVERIFY(settled(model));
            QVERIFY(model.importTicked());
        }
        ColumnMapping expected = guessed;
        expected.note = 3;
        QCOMPARE(opened(dataFile(u"bank.csv"_s))->mapping(), expected);
    }

    // The ticked lines go in one write, as one import; unticked ones stay out.
    void importsTheTickedLines()
    {
        ImportSheetModel model(*m_store, dataFile(u"wechat.csv"_s));
        QVERIFY(settled(model));
        QVERIFY(model.setTicked(0, false));
        QCOMPARE(model.confirmText(), u"导入 7 笔"_s);
        QSignalSpy imports(m_store.get(), &ModelStore::entriesImported);
        QSignalSpy imported(&model, &ImportSheetModel::imported);
        QVERIFY(model.importTicked());
        QCOMPARE(imports.count(), 1);
        QCOMPARE(imported.value(0).value(0).toInt(), 7);
        QCOMPARE(m_store->entries().size(), 7u);
        QVERIFY(!m_store->isImported(ImportPreview::storeRow(model.rows()[0].row)));
        QVERIFY(m_store->isImported(ImportPreview::storeRow(model.rows()[1].row)));
    }

    // A sheet damaged in row 8 offers its six lines before the damage and imports nothing until
    // the user takes them; a statement read past its damage is imported and names the line.
    void damagedFiles()
    {
        ImportSheetModel sheet(*m_store, dataFile(u"damaged-sheet.xlsx"_s));
        QTRY_VERIFY(!sheet.reading());
        QVERIFY2(sheet.fileError().contains(u"第 8 行"_s), qPrintable(sheet.fileError()));
        QCOMPARE(sheet.rowsBeforeDamage(), 6);
        QCOMPARE(sheet.takeBeforeDamageText(), u"仍导入损坏处之前的 6 行"_s);
        QVERIFY(!sheet.canImport());
        QSignalSpy reset(&sheet, &ImportSheetModel::reset);
        sheet.setTakeBeforeDamage(true);
        QTRY_COMPARE(reset.count(), 1);
        QVERIFY(sheet.fileError().isEmpty());
        QCOMPARE(sheet.rows().size(), 6u);
        QVERIFY(sheet.damage().contains(u"第 8 行"_s));
        QVERIFY(sheet.importTicked());
        QCOMPARE(m_store->entries().size(), 6u);

        ImportSheetModel statement(*m_store, dataFile(u"statement-missing-end.ofx"_s));
        QTRY_VERIFY(!statement.reading());
        QVERIFY(statement.fileError().isEmpty());
        QCOMPARE(statement.rowsBeforeDamage(), 0);
        QVERIFY2(statement.damage().contains(u"第 25 行"_s), qPrintable(statement.damage()));
        QCOMPARE(statement.confirmText(), u"导入 3 笔"_s);
    }
};

PENNYLOOM_TEST(ImportSheetModelTest)

#include "tst_ImportSheetModel.moc"
