// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFixture.h"
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "export/XLSXExporter.h"
#include "model/ProgramLocale.h"
#include "reminder/BudgetNotices.h"
#include "reminder/ReminderManager.h"
#include "settings/ExportDestination.h"
#include "settings/ImportFileChooser.h"
#include "settings/SettingsView.h"
#include "settings/ToggleSwitch.h"
#include "store/ModelStore.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// The save dialog answered by the test, and the file viewer watched.
class AnsweringDestination final : public ExportDestination {
public:
    QString answer;
    std::function<void()> beforeAnswer;
    QStringList proposed;
    QStringList revealed;

    QString choose(QWidget *, const QString &proposedPath) override
    {
        proposed << proposedPath;
        if (beforeAnswer)
            beforeAnswer();
        return answer;
    }
    void reveal(const QString &path) override { revealed << path; }
};

class AnsweringChooser final : public ImportFileChooser {
public:
    QString answer;
    QString choose(QWidget *) override { return answer; }
};

} // namespace

class SettingsViewTest final : public TestSupport::SettingsFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSettings());
        add(LedgerEntry(25, local(2024, 3, 2, 12), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
    }
    void cleanup() { closeSettings(); }

    void exportFlow_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved over an older file") << u"账单.xlsx"_s << true;
        QTest::newRow("cancelled") << QString() << false;
        QTest::newRow("a pipe refused, older file kept") << u"pipe"_s << false;
    }

    // The button proposes the month's file in a folder that exists, writes the workbook where
    // the user chose and shows it there; a refused place raises the alert instead and keeps
    // the older file. No copy of the ledger is left in the shared temporary folder.
    void exportFlow()
    {
        QFETCH(QString, answer);
        QFETCH(bool, saved);
        QTemporaryDir target;
        const QByteArray older("an older workbook");
        QVERIFY(writeFile(target.filePath(u"账单.xlsx"_s), older));
        QVERIFY(::mkfifo(QFile::encodeName(target.filePath(u"pipe"_s)).constData(), 0600) == 0);
        // A home without a documents folder.
        QVERIFY(QDir(target.path()).mkdir(u"home"_s));
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(target.filePath(u"home"_s)));
        const auto restoreHome = qScopeGuard([home] { qputenv("HOME", home); });

        auto destination = std::make_unique<AnsweringDestination>();
        AnsweringDestination &chooser = *destination;
        chooser.answer = answer.isEmpty() ? QString() : target.filePath(answer);
        SettingsView view(*m_store, *m_reminder, std::move(destination));
        view.show();
        QTest::mouseClick(view.exportButton(), Qt::LeftButton);

        QCOMPARE(chooser.proposed.size(), 1);
        QCOMPARE(QFileInfo(chooser.proposed.first()).fileName(), u"Pennyloom-2024-03.xlsx"_s);
        QVERIFY2(QFileInfo(chooser.proposed.first()).absoluteDir().exists(),
                 qPrintable(chooser.proposed.first()));
        QCOMPARE(chooser.revealed, saved ? QStringList{chooser.answer} : QStringList{});
        QCOMPARE(contentOf(target.filePath(u"账单.xlsx"_s)),
                 saved ? XLSXExporter::workbook(m_store->entries()).value_or(QByteArray()) : older);
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files | QDir::System | QDir::Hidden), QStringList{});
        const bool failed = !answer.isEmpty() && !saved;
        QCOMPARE(view.failureAlert() != nullptr, failed);
        if (!failed)
            return;

        QVERIFY(!QFileInfo(target.filePath(u"pipe"_s)).isFile());
        auto *alert = qobject_cast<QMessageBox *>(view.failureAlert());
        QVERIFY(alert);
        QTRY_VERIFY(alert->isVisible());
        QCOMPARE(alert->windowTitle(), u"导出失败"_s);
        QVERIFY(alert->informativeText().contains(chooser.answer));
        TestSupport::screenshot(alert, u"settings-export-failed"_s);
        QCOMPARE(alert->buttons().size(), 1);
        QTest::mouseClick(alert->buttons().first(), Qt::LeftButton);
        QTRY_VERIFY(!view.failureAlert());
        QVERIFY(!view.model().exportError());
    }

    // The switch shows the manager's state and changes it, nothing more.
    void reminderSwitch()
    {
        SettingsView view(*m_store, *m_reminder, std::make_unique<AnsweringDestination>());
        view.show();
        ToggleSwitch *toggle = view.reminderSwitch();
        QCOMPARE(toggle->accessibleName(), u"每日记账提醒"_s);
        QVERIFY(!toggle->isChecked());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(m_reminder->enabled());
        QCOMPARE(m_settings->value(u"remindersEnabled"_s).toBool(), true);
        QCOMPARE(m_platform.added, 1);
        m_reminder->setEnabled(false);
        QVERIFY(!toggle->isChecked());
        // From the keyboard too.
        toggle->setFocus();
        QTest::keyClick(toggle, Qt::Key_Space);
        QVERIFY(m_reminder->enabled());
    }

    // Off until turned on, kept in the user settings where every process that writes entries
    // reads it.
    void budgetNoticeSwitch()
    {
        BudgetNotices::setEnabled(BudgetNotices::userSettings(), false);
        SettingsView view(*m_store, *m_reminder, std::make_unique<AnsweringDestination>());
        view.show();
        ToggleSwitch *toggle = view.budgetNoticeSwitch();
        QCOMPARE(toggle->accessibleName(), u"预算提醒"_s);
        QVERIFY(!toggle->isChecked());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->isChecked());
        QSettings stored(QSettings::NativeFormat, QSettings::UserScope, u"Pennyloom"_s, u"Pennyloom"_s);
        QCOMPARE(stored.value(u"budgetNoticesEnabled"_s).toBool(), true);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(!BudgetNotices::enabled(BudgetNotices::userSettings()));
    }

    // 关于 shows the version the program reports, and reads each value with its caption.
    void aboutNamesTheVersion()
    {
        QProcess program;
        program.start(QStringLiteral(PENNYLOOM_BINARY), {u"--version"_s});
        QVERIFY(program.waitForFinished(30000));
        const QStringList numbers =
            QString::fromUtf8(program.readAllStandardOutput()).trimmed().section(u' ', 1).split(u'.');
        QCOMPARE(numbers.size(), 3);
        SettingsView view(*m_store, *m_reminder, std::make_unique<AnsweringDestination>());
        QStringList names;
        for (const QLabel *label : view.findChildren<QLabel *>())
            names << label->accessibleName();
        QVERIFY2(names.contains(u"版本 "_s + numbers.mid(0, 2).join(u'.')), qPrintable(names.join(u", "_s)));
        QVERIFY(names.contains(u"应用名称 Pennyloom"_s));
    }

    // The save dialog is Qt's own; with Qt's translations installed, as the program does at
    // start, it and its "replace?" question speak Chinese.
    void saveDialogSpeaksChinese()
    {
        QVERIFY(ProgramLocale::installQtTranslations(*QCoreApplication::instance()));
        const QString existing = m_temp->filePath(u"账单.xlsx"_s);
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SettingsView view(*m_store, *m_reminder, std::make_unique<AnsweringDestination>());
        view.resize(960, 720);
        view.show();
        QStringList buttons;
        QString question;
        // Each step runs once the dialog it answers is up: the save dialog, then its question.
        const auto whenShown = [](auto find, auto answer) {
            auto *poll = new QTimer;
            QObject::connect(poll, &QTimer::timeout, poll, [poll, find, answer] {
                if (auto *shown = find(); shown && shown->isVisible()) {
                    poll->deleteLater();
                    answer(shown);
                }
            });
            poll->start(20);
        };
        whenShown(
            [] {
                return qApp->activeModalWidget() ? qApp->activeModalWidget()->findChild<QDialogButtonBox *>()
                                                 : nullptr;
            },
            [&](QDialogButtonBox *box) {
                QWidget *dialog = box->window();
                for (const QAbstractButton *button : box->buttons())
                    buttons << button->text();
                TestSupport::screenshot(dialog, u"settings-save-dialog"_s);
                whenShown([] { return qobject_cast<QMessageBox *>(qApp->activeModalWidget()); },
                          [&, dialog](QMessageBox *alert) {
                              question = alert->text();
                              TestSupport::screenshot(alert, u"settings-save-dialog-replace"_s);
                              alert->reject();
                              static_cast<QDialog *>(dialog)->reject();
                          });
                box->button(QDialogButtonBox::Save)->click();
            });
        QCOMPARE(ExportDestination().choose(&view, existing), QString());
        QCOMPARE(buttons, (QStringList{u"保存(&S)"_s, u"取消"_s}));
        QVERIFY2(question.contains(u"已存在"_s), qPrintable(question));
    }

    void importButton_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("a file chosen opens its import")
            << QStringLiteral(PENNYLOOM_IMPORT_DATA "/wechat.csv");
        QTest::newRow("cancelled, nothing opens") << QString();
    }

    // 「导入账单…」 asks for the file and opens the import sheet on the one chosen.
    void importButton()
    {
        QFETCH(QString, answer);
        SettingsView view(*m_store, *m_reminder, std::make_unique<AnsweringDestination>());
        auto chooser = std::make_unique<AnsweringChooser>();
        chooser->answer = answer;
        view.setImportChooser(std::move(chooser));
        view.show();
        QTest::mouseClick(view.importButton(), Qt::LeftButton);
        QCOMPARE(view.importSheet() != nullptr, !answer.isEmpty());
        if (view.importSheet())
            QTRY_COMPARE(view.importSheet()->confirmButton()->text(), u"导入 8 笔"_s);
    }

    void screens()
    {
        m_reminder->setEnabled(true);
        SettingsView view(*m_store, *m_reminder, std::make_unique<AnsweringDestination>());
        view.resize(960, 720);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        TestSupport::screenshot(&view, u"settings"_s);
    }

    // The rules made so far are listed, each can be removed, and the list follows the store.
    void categoryRules()
    {
        QVERIFY(m_store->setCategoryRule({u"美团订单"_s, u"支出"_s, u"外卖"_s}));
        QVERIFY(m_store->setCategoryRule({u"星河科技"_s, u"收入"_s, u"工资"_s}));
        SettingsView view(*m_store, *m_reminder, std::make_unique<AnsweringDestination>());
        view.resize(960, 900);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const auto shown = [&] {
            QStringList texts;
            for (QLabel *label : view.rulesList()->findChildren<QLabel *>())
                texts.append(label->text());
            return texts;
        };
        QCOMPARE(shown(), (QStringList{u"星河科技 · 收入 → 工资"_s, u"美团订单 · 支出 → 外卖"_s}));
        TestSupport::screenshot(&view, u"settings-rules"_s);
        view.resize(1024, 600);
        TestSupport::screenshot(&view, u"settings-rules-1024x600"_s);

        QList<QPushButton *> removes = view.rulesList()->findChildren<QPushButton *>();
        QCOMPARE(removes.size(), 2);
        QCOMPARE(removes.at(1)->accessibleName(), u"删除"_s);
        QTest::mouseClick(removes.at(1), Qt::LeftButton);
        QCOMPARE(m_store->categoryRules(),
                 (std::vector<CategoryRule>{{u"星河科技"_s, u"收入"_s, u"工资"_s}}));
        QTRY_COMPARE(shown(), QStringList{u"星河科技 · 收入 → 工资"_s});
        QVERIFY(m_store->setCategoryRule({u"美团订单"_s, u"支出"_s, u"餐饮"_s}));
        QTRY_COMPARE(shown().size(), 2);
    }
};

PENNYLOOM_TEST(SettingsViewTest)
#include "tst_SettingsView.moc"
