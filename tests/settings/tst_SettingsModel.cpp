// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFixture.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include "export/XLSXExporter.h"
#include "reminder/ReminderManager.h"
#include "settings/SettingsModel.h"
#include "store/ModelStore.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using TestSupport::local;

class SettingsModelTest final : public TestSupport::SettingsFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openSettings()); }
    void cleanup() { closeSettings(); }

    void proposedDestination_data()
    {
        QTest::addColumn<QString>("documents");
        QTest::addColumn<QString>("folder");
        QTest::newRow("documents folder") << u"folder"_s << u"home/Documents"_s;
        QTest::newRow("no documents folder") << QString() << u"home"_s;
        QTest::newRow("documents is a file") << u"file"_s << u"home"_s;
    }

    // The dialog is offered the month's file in a folder that exists, whole from the root:
    // given a folder that is not there it would show a relative name that cannot be saved.
    void proposedDestination()
    {
        QFETCH(QString, documents);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"home"_s));
        if (documents == u"folder"_s)
            QVERIFY(QDir(dir.path()).mkdir(u"home/Documents"_s));
        else if (documents == u"file"_s)
            QVERIFY(writeFile(dir.filePath(u"home/Documents"_s), "x"));
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(dir.filePath(u"home"_s)));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(u"config"_s)));
        const QString proposed = SettingsModel(*m_store, *m_reminder).proposedDestination();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", config);
        QCOMPARE(proposed, dir.filePath(folder + u"/Pennyloom-2024-03.xlsx"_s));
    }

    void linkAtProposedName_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::newRow("the proposed name taken as it is") << false;
        QTest::newRow("a link the person named") << true;
    }

    // A link planted under the proposed name is not followed when the proposal is simply
    // taken; a link the person names on purpose is theirs to write through.
    void linkAtProposedName()
    {
        QFETCH(bool, typed);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"home/Documents"_s));
        const QString victim = dir.filePath(u"victim"_s);
        QVERIFY(writeFile(victim, "keep me"));
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(dir.filePath(u"home"_s)));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(u"config"_s)));
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            qputenv("XDG_CONFIG_HOME", config);
        });
        SettingsModel model(*m_store, *m_reminder);
        const QString proposed = model.proposedDestination();
        const QString link = typed ? dir.filePath(u"home/Documents/my-link.xlsx"_s) : proposed;
        QVERIFY(QFile::link(victim, link));
        QCOMPARE(model.exportTo(link), typed);
        QCOMPARE(contentOf(victim) == "keep me", !typed);
        QVERIFY(QFileInfo(link).isSymLink());
        if (!typed)
            QVERIFY2(model.exportError()->contains(u"链接"_s), qPrintable(*model.exportError()));
    }

    void exportTo_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<bool>("saved");
        QTest::newRow("new file") << u"out/账单.xlsx"_s << false << true;
        QTest::newRow("over an older file") << u"out/账单.xlsx"_s << true << true;
        QTest::newRow("folder missing") << u"missing/账单.xlsx"_s << false << false;
        QTest::newRow("folder is a file") << u"out/plain/账单.xlsx"_s << false << false;
        QTest::newRow("a pipe, kept") << u"out/pipe"_s << false << false;
    }

    // The workbook of the store's entries, newest first, goes to the chosen place and nowhere
    // else; it replaces an old file only once whole. A failure leaves the old file as it was,
    // is the alert's text, and leaves no stray file behind.
    void exportTo()
    {
        QFETCH(QString, destination);
        QFETCH(bool, oldFile);
        QFETCH(bool, saved);
        add(LedgerEntry(25, local(2024, 3, 2, 12), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
        add(LedgerEntry(8000, local(2024, 3, 10, 9), EntryKind::income, u"工资"_s));
        QTemporaryDir target;
        QVERIFY(QDir(target.path()).mkpath(u"out"_s));
        QVERIFY(writeFile(target.filePath(u"out/plain"_s), "not a folder"));
        QVERIFY(::mkfifo(QFile::encodeName(target.filePath(u"out/pipe"_s)).constData(), 0600) == 0);
        const QString path = target.filePath(destination);
        const QByteArray old("an older workbook");
        if (oldFile)
            QVERIFY(writeFile(path, old));

        SettingsModel model(*m_store, *m_reminder);
        QSignalSpy changed(&model, &SettingsModel::exportErrorChanged);
        QCOMPARE(model.exportTo(path), saved);
        QCOMPARE(changed.size(), saved ? 0 : 1);
        QCOMPARE(model.exportError().has_value(), !saved);
        const QByteArray sheet = XLSXExporter::sheetXML(m_store->entries());
        QVERIFY(sheet.indexOf("8000.00") < sheet.indexOf("午饭"));
        if (saved)
            QCOMPARE(contentOf(path), XLSXExporter::workbook(m_store->entries()).value_or(QByteArray()));
        else if (oldFile)
            QCOMPARE(contentOf(path), old);
        else
            QVERIFY2(model.exportError()->contains(QFileInfo(path).fileName()),
                     qPrintable(*model.exportError()));
        QCOMPARE(QDir(target.filePath(u"out"_s))
                     .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
                 (saved || oldFile ? QStringList{u"pipe"_s, u"plain"_s, u"账单.xlsx"_s}
                                   : QStringList{u"pipe"_s, u"plain"_s}));
        struct stat pipe;
        QVERIFY(::stat(QFile::encodeName(target.filePath(u"out/pipe"_s)).constData(), &pipe) == 0);
        QVERIFY(S_ISFIFO(pipe.st_mode));
        model.clearExportError();
        QVERIFY(!model.exportError());
        QCOMPARE(changed.size(), saved ? 0 : 2);
    }
};

PENNYLOOM_TEST(SettingsModelTest)
#include "tst_SettingsModel.moc"
