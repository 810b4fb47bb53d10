#include "Backups.h"

#include "DataFolder.h"
#include "ModelStore.h"
#include "SqliteDatabase.h"
#include "StoreSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int dailyCopies = 7;
constexpr int weeklyCopies = 4;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Removes the file and its SQLite companions; false when one of them stays.
bool removeWithCompanions(const QString &path)
{
    bool gone = true;
    for (const char *suffix : {"", "-wal", "-shm", "-journal"}) {
        const QString file = path + QString::fromLatin1(suffix);
        if (QFileInfo::exists(file) && !QFile::remove(file))
            gone = false;
    }
    return gone;
}

} // namespace

QString Backups::folder(const QString &storePath)
{
    return QFileInfo(storePath).absoluteDir().filePath(u"backups"_s);
}

QString Backups::dailyName(const QDate &day)
{
    return u"pennyloom-"_s + day.toString(u"yyyy-MM-dd"_s) + u".sqlite"_s;
}

QList<QDate> Backups::kept(QList<QDate> days)
{
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    QList<QDate> keep = days.mid(0, dailyCopies);
    // The older copies by ISO week; the first copy of a week stands for it.
    QMap<int, QDate> firstOfWeek;
    for (qsizetype i = dailyCopies; i < days.size(); ++i) {
        int year = 0;
        const int week = days[i].weekNumber(&year);
        firstOfWeek[year * 100 + week] = days[i]; // newest first, so the last write is the earliest day
    }
    int weeks = 0;
    for (auto it = firstOfWeek.cend(); it != firstOfWeek.cbegin() && weeks < weeklyCopies; ++weeks)
        keep.append(*--it);
    return keep;
}

QString Backups::makeDaily(const ModelStore &store, const QDate &today)
{
    const QString dir = folder(store.path());
    if (const QString error = DataFolder::prepare(dir); !error.isEmpty())
        return error;
    const QString target = QDir(dir).filePath(dailyName(today));
    if (!QFileInfo::exists(target)) {
        if (const QString error = store.copyTo(target); !error.isEmpty())
            return error;
    }

    static const QRegularExpression daily(u"^pennyloom-(\\d{4}-\\d{2}-\\d{2})\\.sqlite$"_s);
    QList<QDate> days;
    const QStringList names = QDir(dir).entryList({u"pennyloom-*.sqlite"_s}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = daily.match(name);
        const QDate day = match.hasMatch() ? QDate::fromString(match.captured(1), u"yyyy-MM-dd"_s) : QDate();
        if (day.isValid())
            days.append(day);
    }
    const QList<QDate> keep = kept(days);
    for (const QDate &day : std::as_const(days)) {
        if (!keep.contains(day) && !removeWithCompanions(QDir(dir).filePath(dailyName(day))))
            return u"无法删除旧备份 %1"_s.arg(native(QDir(dir).filePath(dailyName(day))));
    }
    return {};
}

QString Backups::verify(const QString &file, const QString &shownAs)
{
    const QString shown = native(shownAs.isEmpty() ? file : shownAs);
    const QFileInfo info(file);
    if (!info.isFile())
        return u"%1 不是文件"_s.arg(shown);
    if (info.size() == 0)
        return u"%1 是空文件"_s.arg(shown);
    {
        SqliteDatabase db;
        if (!db.open(file))
            return u"无法打开 %1：%2"_s.arg(shown, db.lastError());
        const std::optional<QString> integrity = db.scalar("PRAGMA integrity_check");
        if (!integrity || *integrity != u"ok"_s)
            return u"%1 已损坏：%2"_s.arg(shown, integrity.value_or(db.lastError()));
        if (const QString problem = StoreSchema::schemaProblem(db); !problem.isEmpty())
            return shown + u' ' + problem;
        if (const QString problem = StoreSchema::recordProblem(db); !problem.isEmpty())
            return u"%1 中有程序无法使用的记录：%2"_s.arg(shown, problem);
    }
    QString error;
    if (!ModelStore::open(file, &error))
        return error.replace(native(file), shown);
    return {};
}

QString Backups::restore(const QString &backup, const QString &storePath, const QDateTime &now,
                         QString *keptAs)
{
    const QFileInfo store(storePath);
    const QString dir = folder(storePath);
    if (const QString error = DataFolder::prepare(dir); !error.isEmpty())
        return error;

    // Checked as a private copy beside the store, so the copy that is checked is the one
    // that takes the store's place, and the backup itself is never written to.
    const QString candidate = storePath + u".restoring"_s;
    removeWithCompanions(candidate);
    if (!QFile::copy(backup, candidate))
        return u"无法读取备份 %1"_s.arg(native(backup));
    QFile::setPermissions(candidate, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (const QString problem = verify(candidate); !problem.isEmpty()) {
        removeWithCompanions(candidate);
        return u"备份 %1 不能用于恢复：%2"_s.arg(native(backup), problem);
    }

    if (store.exists()) {
        const QString replaced = QDir(dir).filePath(u"pennyloom-before-restore-"_s +
                                                    now.toString(u"yyyyMMdd-HHmmss"_s) + u".sqlite"_s);
        {
            SqliteDatabase current;
            QString error = current.open(storePath) ? current.copyTo(replaced) : current.lastError();
            // A store SQLite cannot read is still kept, byte for byte.
            if (!error.isEmpty() && (!QFile::copy(storePath, replaced) ||
                                     (QFileInfo::exists(storePath + u"-wal"_s) &&
                                      !QFile::copy(storePath + u"-wal"_s, replaced + u"-wal"_s)))) {
                removeWithCompanions(candidate);
                return u"无法保存当前的数据文件：%1"_s.arg(error);
            }
        }
        QFile::setPermissions(replaced, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (keptAs)
            *keptAs = replaced;
    }
    // A journal left beside the store would be replayed into the restored file.
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(storePath + QString::fromLatin1(suffix));
    if (std::rename(QFile::encodeName(candidate).constData(), QFile::encodeName(storePath).constData()) !=
        0) {
        const QString reason = DataFolder::systemError(errno);
        removeWithCompanions(candidate);
        return u"无法替换数据文件 %1：%2"_s.arg(native(storePath), reason);
    }
    return {};
}
