// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveReader.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include "export/XLSXExporter.h"
#include "model/DateText.h"
#include "model/Money.h"
#include "store/DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QScopeGuard>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <csignal>

using namespace Qt::StringLiterals;
using TestSupport::local;

Q_DECLARE_METATYPE(std::vector<LedgerEntry>)

namespace {

using Rows = QList<QStringList>;

LedgerEntry entry(const QDateTime &date, const QString &note, double amount = 10,
                  EntryKind kind = EntryKind::expense)
{
    return LedgerEntry(amount, date, kind, kind == EntryKind::income ? u"工资"_s : u"餐饮"_s, note);
}

LedgerEntry oddKind(const QDateTime &date, const QString &note)
{
    LedgerEntry e = entry(date, note);
    e.kindRaw = u"转账"_s;
    return e;
}

// openpyxl opens the workbook as a spreadsheet program would and lists the sheets and rows.
const auto workbookListing = uR"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
rows = [["" if v is None else v for v in row] for row in book.worksheets[0].iter_rows(values_only=True)]
print(json.dumps({"sheets": book.sheetnames, "rows": rows}))
)"_s;

Rows readWorkbook(const QString &path, QStringList *sheets)
{
    QByteArray errors;
    const QJsonDocument listing = ArchiveReader::python(workbookListing, path, &errors);
    if (!listing.isObject())
        qWarning("openpyxl: %s", errors.constData());
    *sheets = listing[u"sheets"_s].toVariant().toStringList();
    Rows rows;
    for (const QJsonValue &row : listing[u"rows"_s].toArray())
        rows.append(row.toVariant().toStringList());
    return rows;
}

// What the reader should find for an entry, the date by the day text the screens use.
QStringList rowOf(const LedgerEntry &e, const QString &note)
{
    return {DateText::displayDate(e.date), EntryKinds::rawText(e.kind()), e.category,
            Money::decimal(e.amount), note};
}

const QStringList header{u"日期"_s, u"类型"_s, u"分类"_s, u"金额"_s, u"备注"_s};

} // namespace

class XLSXExporterTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The fixed parts have the lengths readers were built against; an empty ledger's sheet is
    // the header row alone.
    void partsOfAnEmptyLedger()
    {
        const std::vector<ZipWriter::File> parts = XLSXExporter::parts({});
        QStringList names;
        for (const ZipWriter::File &part : parts)
            names << part.name;
        QCOMPARE(names, (QStringList{u"[Content_Types].xml"_s, u"_rels/.rels"_s, u"xl/workbook.xml"_s,
                                     u"xl/_rels/workbook.xml.rels"_s, u"xl/worksheets/sheet1.xml"_s}));
        const QList<qsizetype> lengths{557, 295, 289, 296};
        for (qsizetype i = 0; i < lengths.size(); ++i) {
            QCOMPARE(parts[std::size_t(i)].content.size(), lengths[i]);
            QVERIFY(!parts[std::size_t(i)].content.contains('\n'));
        }
        QString headerCells;
        for (int column = 1; column <= 5; ++column)
            headerCells += XLSXExporter::cellXML(column, 1, header[column - 1]);
        QCOMPARE(QString::fromUtf8(parts[4].content),
                 uR"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"_s + u'\n' +
                     uR"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                     uR"(<sheetData><row r="1">)"_s +
                     headerCells + u"</row></sheetData></worksheet>"_s);
    }

    void cellText_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("header cell") << 1 << 1 << u"日期"_s << u"日期"_s;
        QTest::newRow("reference past row 9") << 5 << 12 << u"x"_s << u"x"_s;
        QTest::newRow("markup escaped") << 5 << 2 << u"A&B <test>"_s << u"A&amp;B &lt;test&gt;"_s;
        QTest::newRow("escaped text escaped again") << 5 << 2 << u"&amp;"_s << u"&amp;amp;"_s;
        QTest::newRow("quotes and line breaks as they are")
            << 3 << 2 << u"\"一\" '二'\tb\nc\rd"_s << u"\"一\" '二'\tb\nc\rd"_s;
        QTest::newRow("control characters left out")
            << 5 << 2 << u"a"_s + QChar(0) + u"b"_s + QChar(0x0B) + QChar(0x1F) + u"c"_s << u"abc"_s;
        QTest::newRow("emoji kept, unpaired surrogates left out")
            << 5 << 2 << u"☕🍰x"_s + QChar(0xDE00) + u"y"_s + QChar(0xD83D) << u"☕🍰xy"_s;
        QTest::newRow("non-characters left out")
            << 5 << 2 << u"a"_s + QChar(0xFFFE) + QChar(0xFFFF) + QChar(0xFFFD) << u"a\uFFFD"_s;
    }

    void cellText()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, written);
        const QString reference = QChar(char16_t(u'@' + column)) + QString::number(row);
        QCOMPARE(XLSXExporter::cellXML(column, row, text),
                 uR"(<c r=")"_s + reference + uR"(" t="inlineStr"><is><t>)"_s + written + u"</t></is></c>"_s);
    }

    void realReader_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<std::vector<LedgerEntry>>("entries");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QStringList>("notesRead");
        const QDateTime noon = local(2024, 3, 5, 12, 0);
        QTest::newRow("empty ledger")
            << QByteArray("Asia/Shanghai") << std::vector<LedgerEntry>{} << QList<int>{} << QStringList{};
        QTest::newRow("newest first, ties in input order")
            << QByteArray("Asia/Shanghai")
            << std::vector<LedgerEntry>{entry(noon, u"tie 1"_s),
                                        entry(local(2024, 3, 1), u"A&B <test>"_s, -3),
                                        entry(noon, u"tie 2"_s, 8000, EntryKind::income),
                                        entry(local(2024, 3, 9), u"他说 \"好\"\n下一行"_s, 1234.5)}
            << QList<int>{3, 0, 2, 1}
            << QStringList{u"tie 1"_s, u"A&B <test>"_s, u"tie 2"_s, u"他说 \"好\"\n下一行"_s};
        QTest::newRow("hostile notes")
            << QByteArray("Asia/Shanghai")
            << std::vector<LedgerEntry>{entry(local(2024, 3, 9), u"bell"_s + QChar(7) + u"null"_s + QChar(0)),
                                        entry(local(2024, 3, 8),
                                              u"🍜🧾"_s + QChar(0xD800) + QChar(0xFFFF)),
                                        entry(local(2024, 3, 7), QString(100000, u'记')),
                                        oddKind(local(2024, 3, 6), u"an unknown kind is an expense"_s)}
            << QList<int>{0, 1, 2, 3}
            << QStringList{u"bellnull"_s, u"🍜🧾"_s, QString(100000, u'记'),
                           u"an unknown kind is an expense"_s};
        // Day texts are made once per local day; days of 23 and 25 hours, and a year apart.
        for (const char *zone : {"America/New_York", "Europe/Berlin"})
            QTest::addRow("day edges in %s", zone)
                << QByteArray(zone) << std::vector<LedgerEntry>{entry(local(2024, 11, 4, 0, 0), u"a"_s),
                                                                entry(local(2024, 11, 3, 23, 59, 59), u"b"_s),
                                                                entry(local(2024, 10, 27, 0, 10), u"c"_s),
                                                                entry(local(2024, 3, 31, 23, 30), u"d"_s),
                                                                entry(local(2024, 3, 10, 0, 30), u"e"_s),
                                                                entry(local(2023, 3, 10, 12, 0), u"f"_s)}
                << QList<int>{0, 1, 2, 3, 4, 5}
                << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s};
        // The store holds UTC instants; the day is still the local one, each side of the
        // hour that repeats in autumn.
        TestSupport::ScopedTimeZone newYork("America/New_York");
        const QDateTime repeated = local(2024, 11, 3, 1, 30);
        QTest::newRow("UTC instants in America/New_York")
            << QByteArray("America/New_York")
            << std::vector<LedgerEntry>{entry(local(2024, 11, 4, 0, 0).toUTC(), u"a"_s),
                                        entry(repeated.addSecs(3600).toUTC(), u"b"_s),
                                        entry(repeated.toUTC(), u"c"_s),
                                        entry(local(2024, 11, 2, 23, 59, 59).toUTC(), u"d"_s),
                                        entry(local(2024, 3, 10, 3, 0).toUTC(), u"e"_s)}
            << QList<int>{0, 1, 2, 3, 4} << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
    }

    // openpyxl opens the workbook: one sheet "账单明细", the header, every row in order, the
    // texts as typed less what XML cannot hold.
    void realReader()
    {
        QFETCH(QByteArray, zone);
        QFETCH(std::vector<LedgerEntry>, entries);
        QFETCH(QList<int>, order);
        QFETCH(QStringList, notesRead);
        TestSupport::ScopedTimeZone pinned(zone);
        QTemporaryDir dir;
        QString error;
        const std::optional<QString> path =
            XLSXExporter::exportEntries(RecordSequence<LedgerEntry>(entries), dir.path(), &error);
        QVERIFY2(path, qPrintable(error));
        QStringList sheets;
        const Rows rows = readWorkbook(*path, &sheets);
        QCOMPARE(sheets, QStringList{u"账单明细"_s});
        Rows expected{header};
        for (int i : order)
            expected.append(rowOf(entries[std::size_t(i)], notesRead[i]));
        QCOMPARE(rows, expected);
    }

    void dayTexts_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<bool>("utc");
        for (const char *zone : {"Asia/Shanghai", "America/New_York", "Europe/Berlin"})
            for (bool utc : {false, true})
                QTest::addRow("%s, %s instants", zone, utc ? "UTC" : "local") << QByteArray(zone) << utc;
    }

    // Every day of a leap year with its changes of clock, at its first and last second and at
    // noon: the date cell is the day text the screens show. Some days have no entry, so the
    // next day met is not always the day before.
    void dayTexts()
    {
        QFETCH(QByteArray, zone);
        QFETCH(bool, utc);
        TestSupport::ScopedTimeZone pinned(zone);
        std::vector<LedgerEntry> entries;
        for (QDate day(2024, 12, 31); day.year() == 2024; day = day.addDays(-1)) {
            if (day.dayOfYear() % 7 == 3)
                continue;
            for (QTime time : {QTime(23, 59, 59), QTime(12, 0), QTime(0, 0)}) {
                const QDateTime instant(day, time);
                entries.push_back(entry(utc ? instant.toUTC() : instant, u"x"_s));
            }
        }
        const QString sheet = QString::fromUtf8(XLSXExporter::sheetXML(RecordSequence<LedgerEntry>(entries)));
        qsizetype at = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const QString day = DateText::displayDate(entries[i].date);
            at = sheet.indexOf(XLSXExporter::cellXML(1, int(i) + 2, day), at);
            QVERIFY2(at >= 0, qPrintable(entries[i].date.toString(Qt::ISODate) + u' ' + day));
        }
    }

    // The file on disk, its sheet written piece by piece with the header set afterwards, is
    // the archive of the five whole parts byte for byte: a sheet of many pieces with one row
    // longer than a piece.
    void fileEqualsWholeParts()
    {
        std::vector<LedgerEntry> entries;
        for (int i = 0; i < 5000; ++i)
            entries.push_back(
                entry(local(2024, 3, 9, 21, 0).addSecs(-qint64(i) * 3600), u"第%1笔 & <备注>"_s.arg(i)));
        entries[2500].note = QString(200000, u'记');
        QTemporaryDir dir;
        QString error;
        const std::optional<QString> path =
            XLSXExporter::exportEntries(RecordSequence<LedgerEntry>(entries), dir.path(), &error);
        QVERIFY2(path, qPrintable(error));
        QFile file(*path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::optional<QByteArray> whole =
            ZipWriter::archive(XLSXExporter::parts(RecordSequence<LedgerEntry>(entries)));
        QVERIFY(whole && whole->size() > 2 * 1024 * 1024);
        QCOMPARE(file.readAll(), *whole);
        QCOMPARE(XLSXExporter::workbook(RecordSequence<LedgerEntry>(entries)).value_or(QByteArray()), *whole);
    }

    // A sink that refuses a piece is not handed another.
    void sheetStopsAtRefusal()
    {
        const std::vector<LedgerEntry> entries(20000, entry(local(2024, 3, 9), u"x"_s));
        int pieces = 0;
        QVERIFY(!XLSXExporter::writeSheet(RecordSequence<LedgerEntry>(entries),
                                          [&pieces](QByteArrayView) { return ++pieces < 2; }));
        QCOMPARE(pieces, 2);
    }

    // A ledger of years: every one of 10^5 rows reaches the reader.
    void largeLedger()
    {
        std::vector<LedgerEntry> entries;
        const QDateTime last = local(2024, 3, 9, 21, 0);
        for (int i = 0; i < 100000; ++i)
            entries.push_back(entry(last.addSecs(-qint64(i) * 1800), u"第%1笔"_s.arg(i), i % 500 + 0.25));
        QTemporaryDir dir;
        QString error;
        const std::optional<QString> path =
            XLSXExporter::exportEntries(RecordSequence<LedgerEntry>(entries), dir.path(), &error);
        QVERIFY2(path, qPrintable(error));
        QStringList sheets;
        const Rows rows = readWorkbook(*path, &sheets);
        QCOMPARE(rows.size(), qsizetype(100001));
        for (int i : {0, 47, 48, 99999})
            QCOMPARE(rows[i + 1], rowOf(entries[std::size_t(i)], u"第%1笔"_s.arg(i)));
    }

    // One file per month in the folder, replaced by a later export of the month, with nothing
    // left beside it.
    void fileOfTheMonth()
    {
        QTemporaryDir dir;
        TestSupport::ScopedClock clock(local(2024, 3, 31, 23, 0));
        QString error;
        const std::optional<QString> march = XLSXExporter::exportEntries({}, dir.path(), &error);
        const qint64 emptySize = march ? QFileInfo(*march).size() : 0;
        const std::vector<LedgerEntry> one{entry(local(2024, 3, 1), u"一"_s)};
        const std::optional<QString> again =
            XLSXExporter::exportEntries(RecordSequence<LedgerEntry>(one), dir.path(), &error);
        clock.clock().set(local(2024, 4, 1, 0, 0));
        const std::optional<QString> april =
            XLSXExporter::exportEntries(RecordSequence<LedgerEntry>(one), dir.path(), &error);

        QVERIFY2(march && again && april, qPrintable(error));
        QCOMPARE(*march, dir.filePath(u"Pennyloom-2024-03.xlsx"_s));
        QCOMPARE(*again, *march);
        QVERIFY(QFileInfo(*again).size() > emptySize);
        QCOMPARE(*april, dir.filePath(u"Pennyloom-2024-04.xlsx"_s));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"Pennyloom-2024-03.xlsx"_s, u"Pennyloom-2024-04.xlsx"_s}));
    }

    void destinations_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("written");
        QTest::newRow("a link to a file: the file replaced, the link kept") << u"link to file"_s << true;
        QTest::newRow("a pipe") << u"pipe"_s << false;
        QTest::newRow("a link to a pipe") << u"link to pipe"_s << false;
        QTest::newRow("a device") << u"device"_s << false;
        QTest::newRow("a folder") << u"folder"_s << false;
    }

    // A pipe or a device keeps its place: the export says why and writes nothing, where a
    // rename would have put a plain file in its stead.
    void destinations()
    {
        QFETCH(QString, kind);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString target = dir.filePath(u"target"_s);
        const QByteArray targetName = QFile::encodeName(target);
        if (kind.endsWith(u"file"_s)) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("older") == 5);
        } else if (kind.endsWith(u"pipe"_s)) {
            QVERIFY(::mkfifo(targetName.constData(), 0600) == 0);
        } else if (kind == u"device"_s) {
            // The null device's numbers, made here: only the superuser may.
            if (::mknod(targetName.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("making a device needs the superuser");
        } else {
            QVERIFY(QDir(dir.path()).mkdir(u"target"_s));
        }
        struct stat before;
        QVERIFY(::stat(targetName.constData(), &before) == 0);
        const QString path = kind.startsWith(u"link"_s) ? dir.filePath(u"link.xlsx"_s) : target;
        if (path != target)
            QVERIFY(QFile::link(target, path));

        QString error;
        QCOMPARE(XLSXExporter::exportTo({}, path, &error), written);
        struct stat after;
        QVERIFY(::stat(targetName.constData(), &after) == 0);
        QCOMPARE(QFileInfo(path).isSymLink(), path != target);
        const QStringList left =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(left.size(), path != target ? 2 : 1);
        if (written) {
            QCOMPARE(ArchiveReader::run(u"unzip"_s, {u"-t"_s, target}).exitCode, 0);
            return;
        }
        QVERIFY2(error.contains(path) && error.contains(u"管道或设备"_s) != (kind == u"folder"_s),
                 qPrintable(error));
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
    }

    void plantedLink_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("a link to a file elsewhere") << u"file"_s;
        QTest::newRow("a link to nothing yet") << u"nothing"_s;
    }

    // Someone sharing the folder plants a link under the month's workbook name: the export
    // refuses it, the file it names stays as it was, and nothing is left beside it.
    void plantedLink()
    {
        QFETCH(QString, planted);
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        TestSupport::ScopedClock clock(local(2024, 3, 9, 12));
        const QString victim = elsewhere.filePath(u"profile"_s);
        if (planted == u"file"_s) {
            QFile file(victim);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep me") == 7);
        }
        const QString link = dir.filePath(u"Pennyloom-2024-03.xlsx"_s);
        QVERIFY(QFile::link(victim, link));

        QString error;
        QVERIFY(!XLSXExporter::exportEntries({}, dir.path(), &error));
        QVERIFY2(error.contains(link) && error.contains(u"链接"_s), qPrintable(error));
        QCOMPARE(QFileInfo(link).symLinkTarget(), victim);
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{u"Pennyloom-2024-03.xlsx"_s});
        QFile file(victim);
        if (planted == u"file"_s)
            QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "keep me");
        else
            QVERIFY(!file.exists());
    }

    void privateFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("the month's file") << u"default"_s;
        QTest::newRow("a chosen new file") << u"chosen"_s;
        QTest::newRow("a chosen file over one open to all") << u"over"_s;
        QTest::newRow("a chosen link to a file not made yet") << u"link"_s;
    }

    // Only its owner may read the workbook, whatever the umask: it holds the whole ledger.
    void privateFile()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        TestSupport::ScopedClock clock(local(2024, 3, 9, 12));
        QString path = dir.filePath(u"账单.xlsx"_s);
        if (how == u"over"_s) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("older") == 5);
            QVERIFY(file.setPermissions(QFileDevice::Permissions(0x6666)));
        }
        QString written = path;
        if (how == u"link"_s) {
            path = dir.filePath(u"link.xlsx"_s);
            QVERIFY(QFile::link(written, path));
        }
        const mode_t previous = ::umask(0);
        const auto restore = qScopeGuard([previous] { ::umask(previous); });
        QString error;
        if (how == u"default"_s) {
            const std::optional<QString> made = XLSXExporter::exportEntries({}, dir.path(), &error);
            QVERIFY2(made, qPrintable(error));
            written = *made;
        } else {
            QVERIFY2(XLSXExporter::exportTo({}, path, &error), qPrintable(error));
        }
        struct stat info;
        QVERIFY(::stat(QFile::encodeName(written).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0600));
    }

    // A write the system stops, here at a file size limit as a full disk would, names the
    // system's reason; the older file stays and nothing is left beside it.
    void failedWriteNamesItsCause()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"账单.xlsx"_s);
        QFile older(path);
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
        older.close();
        std::vector<LedgerEntry> entries;
        for (int i = 0; i < 5000; ++i)
            entries.push_back(entry(local(2024, 3, 9, 21, 0).addSecs(-qint64(i) * 3600), u"第%1笔"_s.arg(i)));

        struct rlimit limit;
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const struct rlimit small {
            100 * 1000 + 17, limit.rlim_max
        };
        const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        QString error;
        const bool written = XLSXExporter::exportTo(RecordSequence<LedgerEntry>(entries), path, &error);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previousSignal);

        QVERIFY(!written);
        QVERIFY2(error.contains(path) && error.contains(DataFolder::systemError(EFBIG)), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"账单.xlsx"_s});
        QVERIFY(older.open(QIODevice::ReadOnly));
        QCOMPARE(older.readAll(), QByteArray("older"));
    }

    // A plain file stands where the folder should be, which stops every user, root included:
    // the error names the path and nothing is left behind.
    void unwritableFolder()
    {
        QTemporaryDir dir;
        QFile plain(dir.filePath(u"plain"_s));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QString error;
        QVERIFY(!XLSXExporter::exportEntries({}, plain.fileName(), &error));
        QVERIFY2(error.contains(u"Pennyloom-"_s), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"plain"_s});
    }
};

PENNYLOOM_TEST(XLSXExporterTest)
#include "tst_XLSXExporter.moc"
