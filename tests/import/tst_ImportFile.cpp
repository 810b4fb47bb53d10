// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "import/CsvTable.h"
#include "import/ImportFile.h"
#include "import/TextDecoder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// How a file's bytes come in: only a regular file is read, once; the text it holds is kept
// compactly and gives back every field as written.
class ImportFileTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusesWhatIsNoFile_data();
    void refusesWhatIsNoFile();
    void fifoNeverWaitsForAWriter();
    void nulAnywhere_data();
    void nulAnywhere();
    void followsRandomTables();
};

void ImportFileTest::refusesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("FIFO") << u"fifo"_s << u"不是普通文件"_s;
    QTest::newRow("endless device") << u"/dev/zero"_s << u"不是普通文件"_s;
    QTest::newRow("folder") << u"folder"_s << u"是文件夹"_s;
}

void ImportFileTest::refusesWhatIsNoFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QString path = kind;
    if (kind == u"fifo"_s) {
        path = dir.filePath(u"账单.csv"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"folder"_s) {
        path = dir.path();
    }
    // A writer that comes late keeps an old reader from waiting forever in the test.
    std::thread writer([&] {
        if (kind != u"fifo"_s)
            return;
        std::this_thread::sleep_for(3s);
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            [[maybe_unused]] const ssize_t written = ::write(fd, "a,b\n1,2\n", 8);
            ::close(fd);
        }
    });
    const ImportFile file = ImportFile::load(path);
    writer.join();
    QVERIFY2(file.error.contains(message), qPrintable(file.error));
}

// Opening a FIFO for reading waits for a writer; the loader must come back at once instead.
void ImportFileTest::fifoNeverWaitsForAWriter()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"pipe"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    std::atomic<bool> writerCame = false;
    std::thread writer([&] {
        std::this_thread::sleep_for(5s);
        writerCame = true;
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    const ImportFile file = ImportFile::load(path);
    const bool waited = writerCame;
    writer.join();
    QVERIFY(!waited);
    QVERIFY(!file.ok());
}

void ImportFileTest::nulAnywhere_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    const QByteArray header("日期,金额,备注\n");
    QByteArray rows;
    for (int i = 0; rows.size() < 70 * 1024; ++i)
        rows += "2024-03-01,-1.00,早饭\n";
    const int rowLines = int(rows.count('\n'));
    QTest::newRow("at the start") << QByteArray("\0a,b\n1,2\n", 9) << 1;
    QTest::newRow("past the first 64 KiB")
        << header + rows + QByteArray("2024-03-02,-2.00,午\0饭\n", 26) << rowLines + 2;
    QTest::newRow("past 64 KiB, with a byte order mark")
        << "\xEF\xBB\xBF" + header + rows + QByteArray("2024-03-02,-2.00,\0\n", 19) << rowLines + 2;
    QTest::newRow("past 64 KiB, GB18030")
        << QByteArray("\xC8\xD5\xC6\xDA,\xBD\xF0\xB6\xEE\n") + rows.replace("早饭", "\xD4\xE7\xB7\xB9") +
               QByteArray("2024-03-02,-2.00,\0\n", 19)
        << rowLines + 2;
}

// A NUL byte marks a file that is not text wherever it stands, and the refusal says where.
void ImportFileTest::nulAnywhere()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    const ImportFile file = ImportFile::fromBytes(bytes, u"账单.csv"_s);
    QVERIFY2(file.error.contains(u"不是文本"_s), qPrintable(file.error));
    QVERIFY2(file.error.contains(u"第 %1 行"_s.arg(line)), qPrintable(file.error));
    QVERIFY(TextDecoder::decode(bytes).text.isEmpty());
}

namespace {

QString randomField(QRandomGenerator &random)
{
    static const QStringList pieces{u"a"_s,  u"青禾"_s, u" "_s,    u"\u3000"_s, u","_s,  u";"_s,
                                    u"\""_s, u"\n"_s,   u"\r\n"_s, u"12.50"_s,  u"\t"_s, u"𠀋"_s};
    QString field;
    const int length = int(random.bounded(5));
    for (int i = 0; i < length; ++i)
        field += pieces.at(int(random.bounded(pieces.size())));
    return field;
}

bool blank(const QStringList &fields)
{
    return std::all_of(fields.begin(), fields.end(), [](const QString &f) { return f.trimmed().isEmpty(); });
}

} // namespace

// Random records written the way a careful exporter quotes them, read back: every field as
// written, on the line it starts on, blank records left out; its shape counted alike.
void ImportFileTest::followsRandomTables()
{
    QRandomGenerator random(20240301);
    for (int round = 0; round < 200; ++round) {
        const QChar delimiter = QStringLiteral(",;\t").at(round % 3);
        QString text;
        int line = 1;
        QList<TableRecord> expected;
        const int count = int(random.bounded(1, 12));
        for (int r = 0; r < count; ++r) {
            QStringList fields;
            const int width = int(random.bounded(1, 5));
            QStringList written;
            for (int f = 0; f < width; ++f) {
                const QString field = randomField(random);
                fields.append(field);
                const bool quote = field.contains(delimiter) || field.contains(u'"') ||
                                   field.contains(u'\n') || field.contains(u'\r') || random.bounded(4) == 0;
                written.append(quote ? u'"' + QString(field).replace(u'"', u"\"\""_s) + u'"' : field);
            }
            if (!blank(fields))
                expected.append({line, fields});
            const QString record = written.join(delimiter);
            text += record;
            line += int(record.count(u'\n')) + 1;
            text += random.bounded(3) == 0 ? u"\r\n"_s : u"\n"_s;
        }
        const ImportTable table = CsvTable::parse(text, delimiter);
        QCOMPARE(table.records.size(), size_t(expected.size()));
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const TableRecord record = table.records[size_t(i)];
            QCOMPARE(record.fields, expected[i].fields);
            QCOMPARE(record.line, expected[i].line);
            const TableRecords::Shape shape = table.records.shapeAt(size_t(i));
            QCOMPARE(shape.fields, int(record.fields.size()));
            QCOMPARE(shape.filled,
                     int(std::count_if(record.fields.begin(), record.fields.end(),
                                       [](const QString &f) { return !f.trimmed().isEmpty(); })));
        }
    }
}

PENNYLOOM_TEST(ImportFileTest)
#include "tst_ImportFile.moc"
