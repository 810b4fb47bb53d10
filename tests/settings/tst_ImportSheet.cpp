// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "settings/ImportRowsModel.h"
#include "settings/ImportSheet.h"
#include "store/ModelStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

// A WeChat Pay bill of n lines: payments to a few merchants, every tenth one an income.
QByteArray wechatBill(int n)
{
    const QStringList merchants{u"青禾小馆"_s, u"晨光烘焙"_s, u"城市轨道交通"_s, u"阿强水果店"_s,
                                u"街角便利店"_s};
    const QStringList goods{u"午餐套餐"_s, u"咖啡"_s, u"地铁乘车码"_s, u"/"_s, u"日用品"_s};
    QByteArray bill("\xEF\xBB\xBF");
    bill += u"微信支付账单明细,,,,,,,,,,\n"
            u"交易时间,交易类型,交易对方,商品,收/支,金额(元),支付方式,当前状态,交易单号,商户单号,备注\n"_s
                .toUtf8();
    QDateTime time(QDate(2024, 12, 31), QTime(22, 0));
    for (int i = 0; i < n; ++i) {
        time = time.addSecs(-317);
        const bool income = i % 10 == 9;
        bill += u"%1,商户消费,%2,%3,%4,¥%5.%6,零钱,支付成功,42%7\t,/,/\n"_s
                    .arg(time.toString(u"yyyy-MM-dd HH:mm:ss"_s), merchants.at(i % 5), goods.at(i % 5),
                         income ? u"收入"_s : u"支出"_s)
                    .arg(3 + i % 97)
                    .arg(i % 100, 2, 10, QChar(u'0'))
                    .arg(i, 12, 10, QChar(u'0'))
                    .toUtf8();
    }
    return bill;
}

} // namespace

// The import sheet's wiring: what its buttons and choosers do to the store and the rows.
class ImportSheetTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 4, 1, 12))); }
    void cleanup() { closeStore(); }

    void confirm_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("stored");
        QTest::newRow("a bill is imported") << dataFile(u"wechat.csv"_s) << true << 8;
        QTest::newRow("a file that is not a bill is refused")
            << dataFile(u"make-workbooks.py"_s) << false << 0;
    }

    // 「导入 N 笔」 writes the ticked lines and closes the sheet; a file that cannot be read
    // names itself and leaves nothing to import.
    void confirm()
    {
        QFETCH(QString, file);
        QFETCH(bool, enabled);
        QFETCH(int, stored);
        ImportSheet sheet(*m_store, file);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QTRY_VERIFY(!sheet.model().reading());
        QCOMPARE(sheet.confirmButton()->isEnabled(), enabled);
        QCOMPARE(sheet.errorLabel()->isVisible(), !enabled);
        if (!enabled)
            QVERIFY(sheet.errorLabel()->text().contains(u"make-workbooks.py"_s));
        QTest::mouseClick(sheet.confirmButton(), Qt::LeftButton);
        QCOMPARE(sheet.result(), enabled ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(int(m_store->entries().size()), stored);
    }

    // A path that is no file (a FIFO nobody writes to) leaves the window answering: the sheet
    // says it is reading, then why the file cannot be imported.
    void readsOffTheWindowThread()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"账单.csv"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        std::atomic<bool> writerCame = false;
        std::thread writer([&] {
            std::this_thread::sleep_for(std::chrono::seconds(5));
            writerCame = true;
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
        const auto joined = qScopeGuard([&] { writer.join(); });
        ImportSheet sheet(*m_store, path);
        QVERIFY(!writerCame);
        QVERIFY(sheet.model().reading());
        QVERIFY(!sheet.confirmButton()->isEnabled());
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QTRY_VERIFY(!sheet.model().reading());
        QVERIFY(!writerCame);
        QVERIFY(sheet.errorLabel()->isVisible());
        QVERIFY2(sheet.errorLabel()->text().contains(u"不是普通文件"_s),
                 qPrintable(sheet.errorLabel()->text()));
    }

    // A table file: a column chosen reads the rows again; a category picked in the table
    // offers the rule, and its button saves it.
    void tableChoices()
    {
        ImportSheet sheet(*m_store, dataFile(u"bank.csv"_s));
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QTRY_VERIFY(!sheet.model().reading());
        QComboBox *note = nullptr;
        for (QComboBox *chooser : sheet.columnChoosers())
            note = chooser->accessibleName() == u"备注"_s ? chooser : note;
        QVERIFY(note && note->isVisible());
        note->setCurrentIndex(note->findText(u"对方户名"_s));
        Q_EMIT note->activated(note->currentIndex());
        QVERIFY(!sheet.confirmButton()->isEnabled());
        QTRY_VERIFY(!sheet.model().reading());
        QCOMPARE(sheet.model().rows()[0].row.note, u"青禾小馆"_s);
        // A tick taken off the way the table's check box does it.
        QAbstractItemModel *rows = sheet.table()->model();
        QVERIFY(rows->setData(rows->index(0, ImportRowsModel::tick), QVariant::fromValue(Qt::Unchecked),
                              Qt::CheckStateRole));
        QCOMPARE(sheet.confirmButton()->text(), u"导入 3 笔"_s);

        QVERIFY(!sheet.ruleButton()->isVisible());
        const QModelIndex category = sheet.table()->model()->index(0, ImportRowsModel::category);
        sheet.table()->edit(category);
        auto *editor = sheet.table()->findChild<QComboBox *>();
        QVERIFY(editor && editor->accessibleName() == u"分类"_s);
        editor->setCurrentIndex(editor->findText(u"购物"_s));
        Q_EMIT editor->activated(editor->currentIndex());
        QCOMPARE(category.data().toString(), u"购物"_s);
        QVERIFY(sheet.ruleButton()->isVisible());
        QCOMPARE(sheet.ruleButton()->text(), u"以后 青禾小馆 都记为 购物"_s);
        QTest::mouseClick(sheet.ruleButton(), Qt::LeftButton);
        QCOMPARE(m_store->categoryRules().size(), 1u);
        QVERIFY(!sheet.ruleButton()->isVisible());
    }

    // The choice to take the lines before a sheet's damage is a check box named by its label;
    // ticking it lists the lines and enables the import.
    void damagedSheet()
    {
        ImportSheet sheet(*m_store, dataFile(u"damaged-sheet.xlsx"_s));
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QTRY_VERIFY(!sheet.model().reading());
        QCheckBox *take = sheet.takeBeforeDamageBox();
        QVERIFY(take->isVisible() && !take->isChecked());
        QCOMPARE(take->accessibleName(), u"仍导入损坏处之前的 6 行"_s);
        QVERIFY(sheet.errorLabel()->isVisible());
        QVERIFY(!sheet.confirmButton()->isEnabled());
        QTest::mouseClick(take, Qt::LeftButton, {}, QPoint(8, take->height() / 2));
        QVERIFY(take->isChecked());
        QTRY_VERIFY(!sheet.model().reading());
        QVERIFY(!sheet.errorLabel()->isVisible());
        QVERIFY(sheet.damageLabel()->isVisible());
        QCOMPARE(sheet.confirmButton()->text(), u"导入 6 笔"_s);
        QVERIFY(sheet.confirmButton()->isEnabled());

        ImportSheet whole(*m_store, dataFile(u"wechat.xlsx"_s));
        whole.show();
        QVERIFY(QTest::qWaitForWindowExposed(&whole));
        QTRY_VERIFY(!whole.model().reading());
        QVERIFY(!whole.takeBeforeDamageBox()->isVisible());
        QVERIFY(!whole.damageLabel()->isVisible());
    }

    // 正数为支出 reads the card's amounts the other way round, and stays off where there is no
    // one signed amount to turn.
    void expensePositiveBox()
    {
        const auto expensePositive = [](const ImportSheet &sheet) -> QCheckBox * {
            for (QCheckBox *box : sheet.findChildren<QCheckBox *>()) {
                if (box->accessibleName() == u"正数为支出"_s)
                    return box;
            }
            return nullptr;
        };
        ImportSheet card(*m_store, dataFile(u"card-trailing-comma.csv"_s));
        QTRY_VERIFY(!card.model().reading());
        QCheckBox *box = expensePositive(card);
        QVERIFY(box);
        QCOMPARE(box->accessibleName(), u"正数为支出"_s);
        QVERIFY(box->isEnabled());
        QVERIFY(box->isChecked());
        box->click();
        QVERIFY(!box->isChecked());
        QTRY_VERIFY(!card.model().reading());
        const QTableView *table = card.findChild<QTableView *>();
        QCOMPARE(table->model()->rowCount(), 4);

        ImportSheet twoColumns(*m_store, dataFile(u"bank.csv"_s));
        QTRY_VERIFY(!twoColumns.model().reading());
        QVERIFY(!expensePositive(twoColumns)->isEnabled());
    }

    // Pictures of the sheet for looking at: a long bill, a table needing its columns, an error,
    // a QIF file with categories of its own, a bank statement.
    void screenshots_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        QTest::newRow("bill") << u"generated"_s << u"import-sheet-wechat"_s;
        QTest::newRow("mapping") << dataFile(u"bank.csv"_s) << u"import-sheet-mapping"_s;
        QTest::newRow("error") << u"damaged"_s << u"import-sheet-error"_s;
        QTest::newRow("qif") << dataFile(u"qif-us.qif"_s) << u"import-sheet-qif"_s;
        QTest::newRow("ofx") << dataFile(u"bank-statement.ofx"_s) << u"import-sheet-ofx"_s;
        QTest::newRow("damaged sheet") << dataFile(u"damaged-sheet.xlsx"_s) << u"import-sheet-damaged"_s;
        QTest::newRow("damaged statement")
            << dataFile(u"statement-missing-end.ofx"_s) << u"import-sheet-damaged-ofx"_s;
        QTest::newRow("card") << dataFile(u"card-trailing-comma.csv"_s) << u"import-sheet-card"_s;
        QTest::newRow("currencies") << dataFile(u"bank-quoted-currency.csv"_s)
                                    << u"import-sheet-currencies"_s;
        QTest::newRow("dates both ways") << dataFile(u"bank-ambiguous.csv"_s) << u"import-sheet-date-order"_s;
        QTest::newRow("refunds") << dataFile(u"wechat-refunds.csv"_s) << u"import-sheet-refunds"_s;
    }

    void screenshots()
    {
        if (qEnvironmentVariableIsEmpty("PENNYLOOM_SCREENSHOT_DIR"))
            QSKIP("PENNYLOOM_SCREENSHOT_DIR is not set");
        QFETCH(QString, file);
        QFETCH(QString, name);
        QTemporaryDir dir;
        if (file == u"generated"_s) {
            file = dir.filePath(u"微信支付账单(20240101-20241231).csv"_s);
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(wechatBill(100'000)) > 0);
        } else if (file == u"damaged"_s) {
            file = dir.filePath(u"支付宝交易明细.xlsx"_s);
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write("PK\x03\x04 cut short") > 0);
        }
        ImportSheet sheet(*m_store, file);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        if (name == u"import-sheet-wechat"_s)
            TestSupport::screenshot(&sheet, u"import-sheet-reading"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!sheet.model().reading(), 30000);
        TestSupport::screenshot(&sheet, name);
        sheet.resize(1080, 720);
        TestSupport::screenshot(&sheet, name + u"-1080"_s);
        sheet.resize(1024, 600);
        TestSupport::screenshot(&sheet, name + u"-1024"_s);
        if (sheet.takeBeforeDamageBox()->isVisible()) {
            sheet.takeBeforeDamageBox()->click();
            TestSupport::screenshot(&sheet, name + u"-taken"_s);
        }
    }
};

PENNYLOOM_TEST(ImportSheetTest)

#include "tst_ImportSheet.moc"
