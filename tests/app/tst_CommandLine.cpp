// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateSessionBus.h"
#include "TestRegistry.h"

#include "app/LedgerBusService.h"
#include "export/ArchiveReader.h"
#include "model/LedgerEntry.h"
#include "store/ModelStore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QString output;
    QString errors;
};

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

const auto workbookRows = uR"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
print(json.dumps([["" if v is None else str(v) for v in row] for row in book.worksheets[0].iter_rows(values_only=True)]))
)"_s;

} // namespace

// Runs the real program's commands on a data folder and a session bus of the test's own.
class CommandLineTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_bus = std::make_unique<PrivateSessionBus>(u"cli-test"_s);
        if (const QString failure = m_bus->start(); !failure.isEmpty())
            QSKIP(qPrintable(failure));
        m_data = std::make_unique<QTemporaryDir>();
        QVERIFY(m_data->isValid());
    }

    void cleanup()
    {
        if (m_window) {
            m_window->kill();
            m_window->waitForFinished();
            m_window.reset();
        }
        m_bus.reset();
        m_data.reset();
    }

    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");
        QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"export \\[文件\\]"_s << QString();
        QTest::newRow("version") << QStringList{u"--version"_s} << 0 << u"^Pennyloom \\d+\\.\\d+\\.\\d+\\n$"_s
                                 << QString();
        QTest::newRow("parse shows the draft")
            << QStringList{u"parse"_s, u"打车 36.5"_s} << 0
            << u"^金额：¥36.50\\n类型：支出\\n分类：交通\\n备注：打车\\n$"_s << QString();
        QTest::newRow("parse without an amount") << QStringList{u"parse"_s, u"今天心情不错"_s} << 1 << u"^$"_s
                                                 << u"没有在“今天心情不错”里找到金额"_s;
        QTest::newRow("add without an amount")
            << QStringList{u"add"_s, u"今天心情不错"_s} << 1 << u"^$"_s << u"找到金额.*没有记下"_s;
        QTest::newRow("add with a third decimal")
            << QStringList{u"add"_s, u"午饭 12.345"_s} << 1 << u"^$"_s << u"没有记下"_s;
        QTest::newRow("parse with a third decimal") << QStringList{u"parse"_s, u"午饭 12.345"_s} << 1
                                                    << u"^$"_s << u"没有在“午饭 12.345”里找到金额"_s;
        QTest::newRow("add with a zero amount")
            << QStringList{u"add"_s, u"午饭 0 元"_s} << 1 << u"^$"_s << u"没有记下"_s;
        QTest::newRow("add without a sentence")
            << QStringList{u"add"_s} << 1 << u"^$"_s << u"pennyloom add"_s;
        QTest::newRow("unknown command")
            << QStringList{u"ad"_s, u"咖啡 5"_s} << 1 << u"^$"_s << u"未知的命令“ad”"_s;
        QTest::newRow("take before damage outside import")
            << QStringList{u"add"_s, u"--take-before-damage"_s, u"咖啡 5"_s} << 1 << u"^$"_s
            << u"--take-before-damage 只用于 import"_s;
        QTest::newRow("json outside parse")
            << QStringList{u"add"_s, u"--json"_s, u"咖啡 5"_s} << 1 << u"^$"_s << u"--json 只用于 parse"_s;
        QTest::newRow("import of a file of no known kind")
            << QStringList{u"import"_s, dataFile(u"make-workbooks.py"_s)} << 1 << u"^$"_s
            << u"“make-workbooks.py”：看不出日期和金额在哪一列"_s;
        QTest::newRow("help names every format")
            << QStringList{u"--help"_s} << 0
            << u"(?s)微信支付.*支付宝.*QIF.*OFX.*QFX.*xlsx.*--map.*--date-order"_s << QString();
        QTest::newRow("import, columns not told: the header and the option")
            << QStringList{u"import"_s, u"--dry-run"_s, dataFile(u"bank-unnamed.csv"_s)} << 1 << u"^$"_s
            << u"(?s)表头：1 列1 \\| 2 列2 \\| 3 列3.*--map date="_s;
        QTest::newRow("import, columns named")
            << QStringList{u"import"_s, u"--dry-run"_s, u"--map"_s, u"date=列1,amount=3,note=列2"_s,
                           dataFile(u"bank-unnamed.csv"_s)}
            << 0 << u"(?s)新记录：2 笔\n"_s << QString();
        QTest::newRow("import, a column the header lacks")
            << QStringList{u"import"_s, u"--map"_s, u"date=日期"_s, dataFile(u"bank-unnamed.csv"_s)} << 1
            << u"^$"_s << u"表头里没有“日期”这一列"_s;
        QTest::newRow("import, not one line read")
            << QStringList{u"import"_s, u"--dry-run"_s, u"--map"_s, u"date=1,amount=2"_s,
                           dataFile(u"bank-unnamed.csv"_s)}
            << 1 << u"(?s)无法读取：2 行"_s << u"没有读到任何一行账目"_s;
        QTest::newRow("import, every date both ways")
            << QStringList{u"import"_s, u"--dry-run"_s, dataFile(u"bank-ambiguous.csv"_s)} << 1 << u"^$"_s
            << u"--date-order dmy"_s;
        QTest::newRow("import, the date order told")
            << QStringList{u"import"_s, u"--dry-run"_s, u"--date-order"_s, u"dmy"_s,
                           dataFile(u"bank-ambiguous.csv"_s)}
            << 0 << u"新记录：3 笔"_s << QString();
        QTest::newRow("import, positive is spending by choice")
            << QStringList{u"import"_s,
                           u"--dry-run"_s,
                           u"--json"_s,
                           u"--expense-positive"_s,
                           u"--map"_s,
                           u"date=列1,amount=列3,note=列2"_s,
                           dataFile(u"bank-unnamed.csv"_s)}
            << 0 << u"^(?!.*支出).*\"kind\":\"收入\""_s << QString();
        QTest::newRow("import, other currencies counted")
            << QStringList{u"import"_s, u"--dry-run"_s, dataFile(u"bank-quoted-currency.csv"_s)} << 0
            << u"(?s)外币：USD：2 笔（不导入）\n外币：HKD：1 笔（不导入）"_s << QString();
        QTest::newRow("map outside import") << QStringList{u"parse"_s, u"--map"_s, u"date=1"_s, u"咖啡 5"_s}
                                            << 1 << u"^$"_s << u"--map 只用于 import"_s;
        QTest::newRow("an unknown date order")
            << QStringList{u"import"_s, u"--date-order"_s, u"ymd"_s, dataFile(u"bank-ambiguous.csv"_s)} << 1
            << u"^$"_s << u"dmy"_s;
        QTest::newRow("import, dry run")
            << QStringList{u"import"_s, u"--dry-run"_s, dataFile(u"wechat.csv"_s)} << 0
            << u"(?s)新记录：8 笔\n.*试运行，没有写入。\n$"_s << QString();
        // Options first: still answered here, never by a window that needs a display.
        QTest::newRow("json before the command")
            << QStringList{u"--json"_s, u"parse"_s, u"咖啡 5"_s} << 0 << u"^\\{\"amount\":5,"_s << QString();
        QTest::newRow("restore with two files")
            << QStringList{u"--restore"_s, u"a"_s, u"b"_s} << 1 << u"^$"_s << u"--restore 文件"_s;
        QTest::newRow("remind with an argument")
            << QStringList{u"--remind"_s, u"x"_s} << 1 << u"^$"_s << u"pennyloom --remind"_s;
        QTest::newRow("unknown option") << QStringList{u"--frobnicate"_s} << 1 << u"^$"_s << u"frobnicate"_s;
        QTest::newRow("id not in the stored form")
            << QStringList{u"add"_s, u"--id"_s, u"{6F1C2A52-0D3B-4C8E-9A51-2B7D4E6F8A90}"_s, u"咖啡 5"_s} << 1
            << u"^$"_s << u"不是这笔账的编号"_s;
    }

    // Help, version, a parse and every refusal answer in the terminal and leave no store
    // behind: nothing is written unless an entry is stored.
    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        const Run run = program(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QRegularExpression(output).match(run.output).hasMatch(), qPrintable(run.output));
        QVERIFY2(QRegularExpression(errors).match(run.errors).hasMatch(), qPrintable(run.errors));
        QVERIFY(!QFileInfo::exists(storePath()));
    }

    void parseJson_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("note");
        QTest::newRow("decimal expense") << u"打车 36.5"_s << 36.5 << u"支出"_s << u"交通"_s << u"打车"_s;
        QTest::newRow("income") << u"收到工资8000"_s << 8000.0 << u"收入"_s << u"工资"_s << u"工资"_s;
        QTest::newRow("later amount stays in the note")
            << u"打车30 小费5"_s << 30.0 << u"支出"_s << u"交通"_s << u"打车小费5"_s;
        QTest::newRow("cents") << u"咖啡 0.05"_s << 0.05 << u"支出"_s << u"餐饮"_s << u"咖啡"_s;
    }

    // One JSON object a script can read: the amount a number, the texts as the parser gave them.
    void parseJson()
    {
        QFETCH(QString, sentence);
        QFETCH(double, amount);
        QFETCH(QString, kind);
        QFETCH(QString, category);
        QFETCH(QString, note);
        const Run run = program({u"parse"_s, u"--json"_s, sentence});
        QCOMPARE(run.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.output.toUtf8(), &error);
        QVERIFY2(document.isObject(), qPrintable(error.errorString() + run.output));
        QVERIFY(document[u"amount"_s].isDouble());
        QCOMPARE(document[u"amount"_s].toDouble(), amount);
        QCOMPARE(document[u"kind"_s].toString(), kind);
        QCOMPARE(document[u"category"_s].toString(), category);
        QCOMPARE(document[u"note"_s].toString(), note);
        QVERIFY(!QFileInfo::exists(storePath()));
    }

    void add_data()
    {
        QTest::addColumn<bool>("windowRuns");
        QTest::newRow("no window") << false;
        QTest::newRow("window holds the store") << true;
    }

    // Two adds at the same moment both land exactly once, dated now, whether they write the
    // file themselves or hand the entries to the window that holds it.
    void add()
    {
        QFETCH(bool, windowRuns);
        if (windowRuns)
            startWindow();
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        const QStringList sentences{u"打车 36.5"_s, u"收到工资8000"_s};
        std::vector<std::unique_ptr<QProcess>> adds;
        for (const QString &sentence : sentences) {
            adds.push_back(start({u"add"_s, sentence}));
            QVERIFY(adds.back()->waitForStarted());
        }
        for (const std::unique_ptr<QProcess> &add : adds) {
            QVERIFY(add->waitForFinished(60000));
            QCOMPARE(add->exitCode(), 0);
            QVERIFY(QString::fromUtf8(add->readAllStandardOutput()).startsWith(u"已记下这笔账：\n金额：¥"_s));
        }
        const QDateTime after = QDateTime::currentDateTime().addMSecs(1);
        if (windowRuns) {
            // The window still holds the data folder: the entries went through it.
            QLockFile lock(storePath() + u".lock"_s);
            QVERIFY(!lock.tryLock(0));
            QCOMPARE(m_window->state(), QProcess::Running);
            m_window->terminate();
            QVERIFY(m_window->waitForFinished(30000));
            QCOMPARE(m_window->exitCode(), 0);
        }

        QString error;
        const std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->entries().size(), 2u);
        for (const LedgerEntry &entry : store->entries()) {
            QVERIFY(entry.date >= before && entry.date <= after);
            if (entry.kind() == EntryKind::income)
                QCOMPARE(std::tuple(entry.amount, entry.category, entry.note),
                         std::tuple(8000.0, u"工资"_s, u"工资"_s));
            else
                QCOMPARE(std::tuple(entry.amount, entry.category, entry.note),
                         std::tuple(36.5, u"交通"_s, u"打车"_s));
        }
    }

    // A second add under the id of a stored entry changes nothing and says what is stored,
    // not what the new sentence would have stored.
    void addUnderStoredId()
    {
        QFETCH(bool, windowRuns);
        if (windowRuns)
            startWindow();
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const Run first = program({u"add"_s, u"--id"_s, id, u"咖啡 5"_s});
        QVERIFY2(first.exitCode == 0 && first.output.contains(u"金额：¥5.00"_s), qPrintable(first.errors));
        const Run again = program({u"add"_s, u"--id"_s, id, u"午饭 32"_s});
        QVERIFY2(again.exitCode == 0, qPrintable(again.errors));
        QVERIFY2(again.output.contains(u"已经记下过"_s) && again.output.contains(id) &&
                     again.output.contains(u"金额：¥5.00"_s) && again.output.contains(u"备注：咖啡"_s) &&
                     !again.output.contains(u"¥32"_s),
                 qPrintable(again.output));
        if (windowRuns) {
            m_window->terminate();
            QVERIFY(m_window->waitForFinished(30000));
        }
        QString error;
        const std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->entries().size(), 1u);
        QCOMPARE(std::tuple(store->entries().front().amount, store->entries().front().note),
                 std::tuple(5.0, u"咖啡"_s));
    }
    void addUnderStoredId_data() { add_data(); }

    void importFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("counts"); // new, neutral, failed or closed, refunded, unreadable
        QTest::addColumn<QString>("again");     // what the new lines are on a second import
        QTest::newRow("WeChat Pay CSV") << u"wechat.csv"_s << QList<int>{8, 2, 1, 1, 2} << u"duplicate"_s;
        QTest::newRow("WeChat Pay xlsx") << u"wechat.xlsx"_s << QList<int>{2, 1, 0, 0, 0} << u"duplicate"_s;
        QTest::newRow("Alipay") << u"alipay.csv"_s << QList<int>{4, 2, 1, 0, 0} << u"duplicate"_s;
        QTest::newRow("Alipay, older columns")
            << u"alipay-older.csv"_s << QList<int>{3, 1, 1, 1, 0} << u"duplicate"_s;
        QTest::newRow("other table, guessed columns")
            << u"bank.csv"_s << QList<int>{4, 0, 0, 0, 1} << u"possibleDuplicate"_s;
        QTest::newRow("QIF") << u"qif-us.qif"_s << QList<int>{5, 2, 0, 0, 0} << u"possibleDuplicate"_s;
        QTest::newRow("OFX") << u"bank-statement.ofx"_s << QList<int>{3, 1, 0, 0, 0} << u"duplicate"_s;
        QTest::newRow("QFX card statement")
            << u"card-statement.qfx"_s << QList<int>{3, 0, 0, 0, 0} << u"duplicate"_s;
        QTest::newRow("refunds settled against purchases")
            << u"wechat-refunds.csv"_s << QList<int>{6, 1, 0, 1, 0} << u"duplicate"_s;
        QTest::newRow("bank, day first")
            << u"bank-dmy.csv"_s << QList<int>{4, 0, 0, 0, 0} << u"possibleDuplicate"_s;
        QTest::newRow("card statement")
            << u"card-trailing-comma.csv"_s << QList<int>{3, 1, 0, 0, 0} << u"possibleDuplicate"_s;
    }

    // Each file imports its new lines once: a second import of it adds nothing, its lines now
    // known by their transaction ids, or for a table without ids looking like the entries held.
    void importFiles()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, counts);
        QFETCH(QString, again);
        const QList<int> imported{counts.at(0), 0};
        for (int run = 0; run < 2; ++run) {
            const Run import = program({u"import"_s, u"--json"_s, dataFile(file)});
            QVERIFY2(import.exitCode == 0, qPrintable(import.errors));
            const QJsonObject report = QJsonDocument::fromJson(import.output.toUtf8()).object();
            const QJsonObject found = report.value(u"counts"_s).toObject();
            const QJsonObject skipped = found.value(u"skipped"_s).toObject();
            QCOMPARE(
                (QList<int>{found.value(run == 0 ? u"new"_s : again).toInt(),
                            skipped.value(u"neutral"_s).toInt(), skipped.value(u"failedOrClosed"_s).toInt(),
                            skipped.value(u"refunded"_s).toInt(), found.value(u"unreadable"_s).toInt()}),
                counts);
            QCOMPARE(report.value(u"imported"_s).toInt(), imported.at(run));
            const QJsonObject row = report.value(u"rows"_s).toArray().first().toObject();
            QCOMPARE(row.value(u"status"_s).toString(), run == 0 ? u"new"_s : again);
            QVERIFY2(QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(Z|[+-]\\d\\d:\\d\\d)$"_s)
                         .match(row.value(u"date"_s).toString())
                         .hasMatch(),
                     qPrintable(row.value(u"date"_s).toString()));
            QVERIFY(
                QRegularExpression(u"^\\d+\\.\\d\\d$"_s).match(row.value(u"amount"_s).toString()).hasMatch());
        }
        QString error;
        const std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(int(store->entries().size()), counts.at(0));
    }

    void importReports_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");
        QTest::newRow("QIF lists skipped and counted")
            << QStringList{u"--dry-run"_s, dataFile(u"qif-european.qif"_s)} << 0
            << u"跳过 Account 部分：3 条（不是账单）\n跳过 Type:Cat 部分：3 条"_s << QString();
        QTest::newRow("QIF categories that match none")
            << QStringList{u"--dry-run"_s, dataFile(u"qif-us.qif"_s)} << 0
            << u"没有对应分类的文件分类：1 个（杂项开销）"_s << QString();
        QTest::newRow("QIF lists in json")
            << QStringList{u"--dry-run"_s, u"--json"_s, dataFile(u"qif-european.qif"_s)} << 0
            << u"\"skippedSections\":\\[\\{\"records\":3,\"section\":\"Account\"\\},\\{\"records\":3,\"section\":\"Type:Cat\"\\}\\]"_s
            << QString();
        QTest::newRow("unmatched categories in json")
            << QStringList{u"--dry-run"_s, u"--json"_s, dataFile(u"qif-us.qif"_s)} << 0
            << u"\"unmatchedCategories\":1.*\"unmatchedCategories\":\\[\"杂项开销\"\\]"_s << QString();
        QTest::newRow("a statement read past its damage")
            << QStringList{u"--dry-run"_s, dataFile(u"statement-missing-end.ofx"_s)} << 0
            << u"新记录：3 笔\n(?s).*文件已损坏：第 25 行的 <STMTTRN> 没有结束标记"_s << QString();
        QTest::newRow("the damage in json")
            << QStringList{u"--dry-run"_s, u"--json"_s, dataFile(u"statement-missing-end.ofx"_s)} << 0
            << u"\"damage\":\\{\"line\":25,\"reason\":\"第 25 行"_s << QString();
        QTest::newRow("a damaged sheet imports nothing")
            << QStringList{dataFile(u"damaged-sheet.xlsx"_s)} << 1 << u"^$"_s
            << u"工作表在第 8 行处损坏.*之前的 6 行"_s;
        QTest::newRow("unless the lines before the damage are asked for")
            << QStringList{u"--take-before-damage"_s, u"--json"_s, dataFile(u"damaged-sheet.xlsx"_s)} << 0
            << u"\"damage\":\\{\"line\":8,.*\"imported\":6"_s << QString();
    }

    // What a file holds besides its lines is reported, in words and in JSON alike.
    void importReports()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        const Run run = program(QStringList{u"import"_s} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QRegularExpression(output).match(run.output).hasMatch(), qPrintable(run.output));
        QVERIFY2(QRegularExpression(errors).match(run.errors).hasMatch(), qPrintable(run.errors));
    }

    // With a window on the store, the window imports the file (named from the terminal's own
    // folder) and holds the entries; the terminal reports what it wrote.
    void importThroughWindow()
    {
        startWindow();
        const Run import = program({u"import"_s, u"wechat.csv"_s}, QStringLiteral(PENNYLOOM_IMPORT_DATA));
        QVERIFY2(import.exitCode == 0, qPrintable(import.errors));
        QVERIFY2(import.output.endsWith(u"已导入 8 笔。\n"_s), qPrintable(import.output));
        QLockFile lock(storePath() + u".lock"_s);
        QVERIFY(!lock.tryLock(0));
        m_window->terminate();
        QVERIFY(m_window->waitForFinished(30000));
        QString error;
        const std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->entries().size(), 8u);
    }

    void importWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("message");
        QTest::newRow("FIFO nobody writes to") << u"fifo"_s << false << u"不是普通文件"_s;
        QTest::newRow("FIFO, window open") << u"fifo"_s << true << u"不是普通文件"_s;
        QTest::newRow("standard input, a pipe") << u"stdin"_s << false << u"不是普通文件"_s;
        QTest::newRow("standard input, a pipe, window open") << u"stdin"_s << true << u"不是普通文件"_s;
    }

    // What is not a regular file is refused at once with the reason, by the command and never
    // handed to the window: a FIFO may never be written to, and a pipe gives its bytes once.
    // The window goes on answering.
    void importWhatIsNoFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, window);
        QFETCH(QString, message);
        if (window)
            startWindow();
        QTemporaryDir dir;
        QString path = u"/dev/stdin"_s;
        if (kind == u"fifo"_s) {
            path = dir.filePath(u"账单.csv"_s);
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        const std::unique_ptr<QProcess> import = start({u"import"_s, path});
        QVERIFY(import->waitForStarted());
        QFile bill(dataFile(u"wechat.csv"_s));
        QVERIFY(bill.open(QIODevice::ReadOnly));
        import->write(bill.readAll());
        import->closeWriteChannel();
        const bool ended = import->waitForFinished(20000);
        if (!ended) {
            import->kill();
            import->waitForFinished();
        }
        QVERIFY2(ended, "the command waits on the path");
        QCOMPARE(import->exitCode(), 1);
        const QString errors = QString::fromUtf8(import->readAllStandardError());
        QVERIFY2(errors.contains(message), qPrintable(errors));
        if (window) {
            const Run add = program({u"add"_s, u"咖啡 5"_s});
            QVERIFY2(add.exitCode == 0, qPrintable(add.errors));
        }
    }

    // Standard input redirected from a file is a file: read once, its lines come in.
    void importStandardInputFromAFile()
    {
        QProcess import;
        import.setProcessEnvironment(environment());
        import.setStandardInputFile(dataFile(u"wechat.csv"_s));
        import.start(QString::fromUtf8(PENNYLOOM_BINARY), {u"import"_s, u"/dev/stdin"_s});
        QVERIFY(import.waitForFinished(60000));
        const QString output = QString::fromUtf8(import.readAllStandardOutput());
        QVERIFY2(import.exitCode() == 0, qPrintable(QString::fromUtf8(import.readAllStandardError())));
        QVERIFY2(output.endsWith(u"已导入 8 笔。\n"_s), qPrintable(output));
    }

    // A file that grows while the window is busy: the window imports the lines the command
    // read and counted, not the ones written since.
    void importsWhatWasCounted()
    {
        startWindow();
        QTemporaryDir dir;
        const QString path = dir.filePath(u"账单.csv"_s);
        QVERIFY(QFile::copy(dataFile(u"wechat.csv"_s), path));
        QVERIFY(::kill(pid_t(m_window->processId()), SIGSTOP) == 0);
        const std::unique_ptr<QProcess> import = start({u"import"_s, u"--json"_s, path});
        QVERIFY(import->waitForStarted());
        // The command has long read the file by now and waits on the stopped window.
        QTest::qWait(3000);
        QFile grow(path);
        QVERIFY(grow.open(QIODevice::Append));
        grow.write("2024-03-31 09:00:00,商户消费,晨光烘焙,咖啡,支出,¥9.00,零钱,支付成功,4200099999\t,/,/\n");
        grow.close();
        QVERIFY(::kill(pid_t(m_window->processId()), SIGCONT) == 0);
        QVERIFY(import->waitForFinished(60000));
        QVERIFY2(import->exitCode() == 0, qPrintable(QString::fromUtf8(import->readAllStandardError())));
        const QJsonObject report = QJsonDocument::fromJson(import->readAllStandardOutput()).object();
        const int counted = report.value(u"counts"_s).toObject().value(u"new"_s).toInt();
        QCOMPARE(counted, 8);
        QCOMPARE(report.value(u"imported"_s).toInt(), counted);
        m_window->terminate();
        QVERIFY(m_window->waitForFinished(30000));
        QString error;
        const std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(int(store->entries().size()), counted);
    }

    // A window that is stopped past the sender's patience still gets the entry later: the
    // sender says it does not know, and gives the command whose retry cannot store it twice.
    void addToStoppedWindow()
    {
        startWindow();
        QVERIFY(::kill(pid_t(m_window->processId()), SIGSTOP) == 0);
        const Run stalled = program({u"add"_s, u"咖啡 5"_s});
        QVERIFY(::kill(pid_t(m_window->processId()), SIGCONT) == 0);
        QCOMPARE(stalled.exitCode, 1);
        QVERIFY2(stalled.errors.contains(u"不知道"_s) && !stalled.errors.contains(u"没有记下"_s),
                 qPrintable(stalled.errors));
        const QRegularExpressionMatch retry =
            QRegularExpression(u"pennyloom add --id ([0-9a-f-]{36}) '咖啡 5'\\n"_s).match(stalled.errors);
        QVERIFY2(retry.hasMatch(), qPrintable(stalled.errors));
        const QUuid id = QUuid::fromString(retry.captured(1));

        const Run again = program({u"add"_s, u"--id"_s, retry.captured(1), u"咖啡 5"_s});
        QVERIFY2(again.exitCode == 0, qPrintable(again.errors));
        m_window->terminate();
        QVERIFY(m_window->waitForFinished(30000));
        QString error;
        const std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->entries().size(), 1u);
        QCOMPARE(store->entries().front().id, id);
    }

    void wedgedBus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("entries");
        QTest::newRow("add writes the file") << QStringList{u"add"_s, u"咖啡 5"_s} << 0 << 1;
        QTest::newRow("the reminder says why") << QStringList{u"--remind"_s} << 1 << -1;
        QTest::newRow("the window starts") << QStringList{u"--quit-after-first-paint"_s} << 0 << 0;
        QTest::newRow("the window starts with the add form")
            << QStringList{u"--add"_s, u"--quit-after-first-paint"_s} << 0 << 0;
    }

    // A bus daemon that takes connections and never answers (stopped, wedged) holds nothing
    // up: each run treats it as no bus at all.
    void wedgedBus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(int, entries);
        // Listening is enough: the system takes the connections, and nobody ever reads them.
        QTemporaryDir sockets;
        const QByteArray path = QFile::encodeName(sockets.filePath(u"bus"_s));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const int silent = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        QVERIFY(silent >= 0);
        const auto closeSilent = qScopeGuard([silent] { ::close(silent); });
        QVERIFY(::bind(silent, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(silent, 64) == 0);
        QProcessEnvironment environment = this->environment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path="_s + QFile::decodeName(path));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(PENNYLOOM_BINARY), arguments);
        const bool finished = process.waitForFinished(40000);
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(finished, "hangs on the silent bus");
        QVERIFY2(process.exitCode() == exitCode, qPrintable(errors));
        if (exitCode != 0)
            QVERIFY2(errors.contains(u"会话总线"_s), qPrintable(errors));
        if (entries >= 0) {
            QString error;
            const std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
            QVERIFY2(store, qPrintable(error));
            QCOMPARE(int(store->entries().size()), entries);
        }
    }

    void exportWorkbook_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("held");
        QTest::addColumn<bool>("written");
        QTest::newRow("default name in the current folder") << QString() << false << true;
        QTest::newRow("a file") << u"books/三月.xlsx"_s << false << true;
        QTest::newRow("a file, the store held open by a writer") << u"books/三月.xlsx"_s << true << true;
        QTest::newRow("a folder") << u"books"_s << false << true;
        QTest::newRow("a folder that does not exist") << u"missing/books.xlsx"_s << false << false;
    }

    // The workbook lands where asked and a spreadsheet reader finds the stored entries in it,
    // also those a running writer has not yet merged into the file; a path that cannot be
    // written fails and says so.
    void exportWorkbook()
    {
        QFETCH(QString, target);
        QFETCH(bool, held);
        QFETCH(bool, written);
        QString error;
        std::unique_ptr<ModelStore> store = ModelStore::open(storePath(), &error);
        QVERIFY2(store, qPrintable(error));
        // A minute apart: two entries of the same instant would keep their stored order.
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(store->insert(LedgerEntry(12.5, now.addSecs(-60), EntryKind::expense, u"餐饮"_s, u"早饭"_s)));
        QVERIFY(store->insert(LedgerEntry(300, now, EntryKind::income, u"工资"_s, u"奖金"_s)));
        if (!held)
            store.reset();
        QTemporaryDir work;
        QVERIFY(QDir(work.path()).mkdir(u"books"_s));
        const Run run = program(
            target.isEmpty() ? QStringList{u"export"_s} : QStringList{u"export"_s, target}, work.path());
        QCOMPARE(run.exitCode == 0, written);
        if (!written) {
            QVERIFY2(run.errors.contains(u"missing"_s), qPrintable(run.errors));
            return;
        }
        const QString printed = run.output.section(u"到 "_s, 1).trimmed();
        QVERIFY2(QFileInfo(printed).isFile(), qPrintable(run.output));
        if (target.isEmpty() || target == u"books"_s)
            QVERIFY2(QFileInfo(printed).fileName().startsWith(u"Pennyloom-"_s), qPrintable(printed));
        const QString expectedFolder = target.isEmpty() ? work.path() : work.filePath(u"books"_s);
        QCOMPARE(QFileInfo(printed).absolutePath(), QFileInfo(expectedFolder).absoluteFilePath());

        QByteArray errors;
        const QJsonDocument rows = ArchiveReader::python(workbookRows, printed, &errors);
        QVERIFY2(rows.isArray(), errors.constData());
        QCOMPARE(rows.array().size(), 3);
        QCOMPARE(rows[1][4].toString(), u"奖金"_s);
        QCOMPARE(rows[2][4].toString(), u"早饭"_s);
    }

    // export only reads: a store its user may read but not change, in a folder they may not
    // write, is exported all the same and left exactly as it was, with nothing made beside it.
    void exportReadOnlyStore()
    {
        // The superuser may write anywhere; the store is then another user's, exported as them.
        const bool asOther = ::geteuid() == 0;
        if (asOther && QStandardPaths::findExecutable(u"setpriv"_s).isEmpty())
            QSKIP("running as root without setpriv");
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        const QString data = dir.filePath(u"data"_s);
        const QString path = data + u"/pennyloom.sqlite"_s;
        {
            QString error;
            const std::unique_ptr<ModelStore> store = ModelStore::open(path, &error);
            QVERIFY2(store, qPrintable(error));
            QVERIFY(store->insert(LedgerEntry(12.5, EntryKind::expense, u"餐饮"_s, u"早饭"_s)));
        }
        QVERIFY(QDir(dir.path()).mkdir(u"out"_s));
        for (const QString &owned : {data, path, dir.filePath(u"out"_s)})
            QVERIFY(!asOther || ::chown(QFile::encodeName(owned).constData(), 65534, 65534) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0400) == 0);
        QVERIFY(::chmod(QFile::encodeName(data).constData(), 0500) == 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        QProcess process;
        QProcessEnvironment environment = this->environment();
        environment.insert(u"PENNYLOOM_DATA_DIR"_s, data);
        process.setProcessEnvironment(environment);
        const QStringList arguments{u"export"_s, dir.filePath(u"out/books.xlsx"_s)};
        if (asOther)
            process.start(u"setpriv"_s,
                          QStringList{u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s,
                                      QString::fromUtf8(PENNYLOOM_BINARY)} +
                              arguments);
        else
            process.start(QString::fromUtf8(PENNYLOOM_BINARY), arguments);
        QVERIFY(process.waitForFinished(60000));
        const QString output =
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        ::chmod(QFile::encodeName(data).constData(), 0700);
        QVERIFY2(process.exitCode() == 0 && output.contains(u"已导出 1 笔账单"_s), qPrintable(output));
        QVERIFY(QFileInfo(dir.filePath(u"out/books.xlsx"_s)).isFile());
        QCOMPARE(QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"pennyloom.sqlite"_s});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

private:
    QString storePath() const { return m_data->filePath(u"pennyloom.sqlite"_s); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_bus->address());
        environment.insert(u"PENNYLOOM_DATA_DIR"_s, m_data->path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        return environment;
    }

    std::unique_ptr<QProcess> start(const QStringList &arguments, const QString &folder = {})
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment());
        if (!folder.isEmpty())
            process->setWorkingDirectory(folder);
        process->start(QString::fromUtf8(PENNYLOOM_BINARY), arguments);
        return process;
    }

    Run program(const QStringList &arguments, const QString &folder = {})
    {
        const std::unique_ptr<QProcess> process = start(arguments, folder);
        if (!process->waitForFinished(60000) || process->exitStatus() != QProcess::NormalExit)
            return {};
        return {process->exitCode(), QString::fromUtf8(process->readAllStandardOutput()),
                QString::fromUtf8(process->readAllStandardError())};
    }

    // The window on the test's data folder, once it answers on the bus.
    void startWindow()
    {
        m_window = start({});
        QVERIFY(m_window->waitForStarted());
        const QString name = LedgerBusService::serviceName(storePath());
        QTRY_VERIFY_WITH_TIMEOUT(m_bus->connection().interface()->isServiceRegistered(name).value(), 30000);
    }

    std::unique_ptr<PrivateSessionBus> m_bus;
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<QProcess> m_window;
};

PENNYLOOM_TEST(CommandLineTest)
#include "tst_CommandLine.moc"
