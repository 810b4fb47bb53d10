#include "SettingsFixture.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include "export/XLSXExporter.h"
#include "reminder/ReminderManager.h"
#include "settings/SettingsModel.h"
#include "store/ModelStore.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

class SettingsModelTest final : public TestSupport::SettingsFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openSettings()); }
    void cleanup() { closeSettings(); }

    // The entries of the store file, newest first, in the month's file.
    void exportsTheStore()
    {
        add(LedgerEntry(25, local(2024, 3, 2, 12), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
        add(LedgerEntry(8000, local(2024, 3, 10, 9), EntryKind::income, u"工资"_s));
        SettingsModel model(*m_store, *m_reminder);
        const std::optional<QString> path = model.exportWorkbook();
        QVERIFY(path);
        QCOMPARE(*path, m_temp->filePath(u"Pennyloom-2024-03.xlsx"_s));
        QVERIFY(!model.exportError());
        const QByteArray sheet = XLSXExporter::sheetXML(m_store->entries());
        QVERIFY(sheet.indexOf("8000.00") < sheet.indexOf("午饭"));
        QCOMPARE(contentOf(*path), XLSXExporter::workbook(m_store->entries()).value_or(QByteArray()));
    }

    // A temporary folder that cannot take the workbook: the failure is the alert's text.
    void exportFailureIsShown()
    {
        const QString plain = m_temp->filePath(u"plain"_s);
        QVERIFY(writeFile(plain, "x"));
        qputenv("TMPDIR", QFile::encodeName(plain));
        SettingsModel model(*m_store, *m_reminder);
        QSignalSpy changed(&model, &SettingsModel::exportErrorChanged);
        QVERIFY(!model.exportWorkbook());
        QCOMPARE(changed.size(), 1);
        QVERIFY(model.exportError().value_or(QString()).contains(u"Pennyloom-2024-03.xlsx"_s));
        model.clearExportError();
        QVERIFY(!model.exportError());
        QCOMPARE(changed.size(), 2);
    }

    void savingACopy_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<bool>("sourceVanishes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("new file") << u"out/账单.xlsx"_s << false << false << true;
        QTest::newRow("over an older file") << u"out/账单.xlsx"_s << true << false << true;
        QTest::newRow("folder missing") << u"missing/账单.xlsx"_s << false << false << false;
        QTest::newRow("workbook gone, older file kept") << u"out/账单.xlsx"_s << true << true << false;
        QTest::newRow("folder is a file, older file kept")
            << u"out/plain/账单.xlsx"_s << false << false << false;
    }

    // The copy replaces the old file only once it is whole; a failure leaves the old file as
    // it was, reports itself, and leaves no stray file behind.
    void savingACopy()
    {
        QFETCH(QString, destination);
        QFETCH(bool, oldFile);
        QFETCH(bool, sourceVanishes);
        QFETCH(bool, saved);
        QTemporaryDir target;
        QVERIFY(QDir(target.path()).mkpath(u"out"_s));
        QVERIFY(writeFile(target.filePath(u"out/plain"_s), "not a folder"));
        const QString path = target.filePath(destination);
        const QByteArray old("an older workbook");
        if (oldFile)
            QVERIFY(writeFile(path, old));

        SettingsModel model(*m_store, *m_reminder);
        const std::optional<QString> workbook = model.exportWorkbook();
        QVERIFY(workbook);
        const QByteArray exported = contentOf(*workbook);
        if (sourceVanishes)
            QVERIFY(QFile::remove(*workbook));

        QCOMPARE(model.saveCopy(*workbook, path), saved);
        QCOMPARE(model.exportError().has_value(), !saved);
        if (saved)
            QCOMPARE(contentOf(path), exported);
        else if (oldFile)
            QCOMPARE(contentOf(path), old);
        QCOMPARE(QDir(target.filePath(u"out"_s)).entryList(QDir::Files | QDir::Hidden).size(),
                 1 + ((saved || oldFile) && destination.startsWith(u"out/账"_s) ? 1 : 0));
    }
};

PENNYLOOM_TEST(SettingsModelTest)
#include "tst_SettingsModel.moc"
