#include "TestRegistry.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QProcessEnvironment environmentFor(const QTemporaryDir &dir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PENNYLOOM_DATA_DIR"_s, dir.path());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}

} // namespace

// Starts the real program on a data folder that holds a file it must refuse.
class StartupTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusesFileThatIsNotItsStore_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("damaged")
            << QByteArray("this is not a database at all, only some text\n").repeated(200);
        QTest::newRow("truncated header")
            << QByteArray("SQLite format 3").append('\0').append(QByteArray(3000, '\x7f'));
    }

    void refusesFileThatIsNotItsStore()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QByteArray before = digest(path);
        const QDateTime modified = QFileInfo(path).lastModified();

        QProcess program;
        program.setProcessEnvironment(environmentFor(dir));
        program.start(QString::fromUtf8(PENNYLOOM_BINARY), {});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY(program.exitCode() != 0);
        const QString stderrText = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(stderrText.contains(path), qPrintable(stderrText));

        QCOMPARE(digest(path), before);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
        QVERIFY(!QFileInfo::exists(path + u"-wal"_s));
    }

    // A second copy on the same data stops and says why; the first one keeps running.
    void secondCopyStops()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        QProcess first;
        first.setProcessEnvironment(environmentFor(dir));
        first.start(QString::fromUtf8(PENNYLOOM_BINARY), {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(path + u"-wal"_s), 20000);

        QProcess second;
        second.setProcessEnvironment(environmentFor(dir));
        second.start(QString::fromUtf8(PENNYLOOM_BINARY), {});
        QVERIFY(second.waitForFinished(30000));
        QVERIFY(second.exitCode() != 0);
        const QString stderrText = QString::fromUtf8(second.readAllStandardError());
        QVERIFY2(stderrText.contains(path), qPrintable(stderrText));
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

PENNYLOOM_TEST(StartupTest)
#include "tst_Startup.moc"
