// SPDX-License-Identifier: GPL-3.0-or-later
#include "Backups.h"

#include "DataFolder.h"
#include "ModelStore.h"
#include "SqliteDatabase.h"
#include "StoreSchema.h"
#include "model/EntryRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The errno of the step of a copy that failed, and whether that step was reading.
struct CopyFailure {
    int error = 0;
    bool reading = false;
};

// Copies the file's bytes into a new private file at to, which must not exist yet, and flushes
// it to the disk. On failure nothing is left at to.
CopyFailure copyFile(const QString &from, const QString &to)
{
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return {errno, true};
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const CopyFailure failure{errno, false};
        ::close(in);
        return failure;
    }
    CopyFailure failure;
    if (::fchmod(out, 0600) != 0)
        failure = {errno, false};
    std::array<char, 1 << 16> buffer;
    while (failure.error == 0) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got <= 0) {
            if (got < 0 && errno != EINTR)
                failure = {errno, true};
            if (got == 0)
                break;
            continue;
        }
        for (ssize_t put = 0; put < got && failure.error == 0;) {
            const ssize_t wrote = ::write(out, buffer.data() + put, static_cast<size_t>(got - put));
            if (wrote > 0)
                put += wrote;
            else if (wrote == 0 || errno != EINTR)
                failure = {wrote == 0 ? ENOSPC : errno, false};
        }
    }
    if (failure.error == 0 && ::fsync(out) != 0)
        failure = {errno, false};
    if (::close(out) != 0 && failure.error == 0)
        failure = {errno, false};
    ::close(in);
    if (failure.error != 0)
        ::unlink(QFile::encodeName(to).constData());
    return failure;
}

// Gives a finished file the name unless something holds it already, which stays as it is.
// 0 or the errno, EEXIST when the name is taken.
int nameWithoutReplacing(const QString &file, const QString &name)
{
    const QByteArray from = QFile::encodeName(file);
    const QByteArray to = QFile::encodeName(name);
    if (::link(from.constData(), to.constData()) == 0)
        return ::unlink(from.constData()) == 0 ? 0 : errno;
    const int linkError = errno;
    // File systems without hard links can still refuse a taken name themselves.
    if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != ENOSYS)
        return linkError;
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0 ? 0
                                                                                                    : errno;
}

// Copies the store the restore replaces (or an upgrade changes) into the backups folder under
// a name no other copy has: two restores in one second keep two copies. The copy is made under
// a name of its own ending in .partial, which a later start clears if the copy is cut short,
// and only then given its name.
QString keepCurrent(const QString &storePath, const QString &dir, const QString &prefix, const QDateTime &now,
                    QString *keptAs)
{
    const QString stem = QDir(dir).filePath(prefix + now.toString(u"yyyyMMdd-HHmmss"_s));
    const QString made =
        stem + u'.' + QString::number(QRandomGenerator::system()->generate64(), 36) + u".partial"_s;
    const QString wal = u"-wal"_s;
    bool withWal = false;
    {
        SqliteDatabase current;
        // A store SQLite cannot read is still kept, byte for byte with its -wal.
        if (!(current.open(storePath) && current.copyTo(made).isEmpty())) {
            removeWithCompanions(made);
            withWal = QFileInfo::exists(storePath + wal);
            CopyFailure failure = copyFile(storePath, made);
            if (failure.error == 0 && withWal)
                failure = copyFile(storePath + wal, made + wal);
            if (failure.error != 0) {
                removeWithCompanions(made);
                return u"无法在 %1 中保存当前的数据文件：%2"_s.arg(native(dir),
                                                                   DataFolder::systemError(failure.error));
            }
        }
    }
    int error = EEXIST;
    QString name;
    for (int n = 1; error == EEXIST && n <= 1000; ++n) {
        name = stem + (n == 1 ? QString() : u'-' + QString::number(n)) + u".sqlite"_s;
        error = nameWithoutReplacing(made, name);
        // The -wal goes under the same name or the copy under none.
        if (error == 0 && withWal && (error = nameWithoutReplacing(made + wal, name + wal)) != 0)
            std::rename(QFile::encodeName(name).constData(), QFile::encodeName(made).constData());
    }
    if (error != 0) {
        removeWithCompanions(made);
        return u"无法在 %1 中保存当前的数据文件：%2"_s.arg(native(dir), DataFolder::systemError(error));
    }
    *keptAs = name;
    return {};
}

// Writes the rows of a -wal (or undoes the unfinished change of a -journal) copied beside the
// file into the file itself, so it stands alone.
QString mergeCompanions(const QString &file)
{
    SqliteDatabase db;
    if (!db.open(file))
        return db.lastError();
    const std::optional<QString> mode = db.scalar("PRAGMA journal_mode = DELETE");
    if (!mode || mode->compare(u"delete"_s, Qt::CaseInsensitive) != 0)
        return db.lastError();
    return {};
}

// The first record in the store that its form could not have saved, as "表 <table> 中编号为 <id>
// 的记录：<why>"; empty when every one could. A stored amount past the cent passes: earlier
// versions kept such amounts, and their files stay restorable.
QString firstUnsavableRecord(const ModelStore &store)
{
    QString found;
    StoredKinds::any([&]<class R>() {
        for (const R &record : store.all<R>()) {
            if (const std::optional<QString> why = EntryRules::problem(record)) {
                found =
                    u"表 %1 中编号为 %2 的记录：%3"_s.arg(QString::fromLatin1(StoreSchema::Table<R>::name),
                                                          record.id.toString(QUuid::WithoutBraces), *why);
                return true;
            }
        }
        return false;
    });
    if (!found.isEmpty())
        return found;
    // A category rule files imported lines as entries, so it names a category of its kind.
    for (const CategoryRule &rule : store.categoryRules()) {
        LedgerEntry sample;
        sample.amount = EntryRules::minimumAmount;
        sample.date = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
        sample.kindRaw = rule.kindRaw;
        sample.category = rule.category;
        if (const std::optional<QString> why = EntryRules::problem(sample))
            return u"表 CategoryRule 中“%1”的规则：%2"_s.arg(rule.counterparty.left(60), *why);
    }
    return {};
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
    // A copy cut short by a kill stays under its .partial name. Nothing else writes here while
    // the store is locked, so every one found now is left over.
    static const QRegularExpression partial(u"\\.partial(-journal|-wal|-shm)?$"_s);
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (partial.match(name).hasMatch())
            QFile::remove(QDir(dir).filePath(name));
    }
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
    // An older store is upgraded here, without a copy of its own: the file being checked is
    // already a copy.
    QString error;
    const std::unique_ptr<ModelStore> store =
        ModelStore::open(file, &error, ModelStore::Upgrade::withoutCopy);
    if (!store)
        return error.replace(native(file), shown);
    if (const QString problem = firstUnsavableRecord(*store); !problem.isEmpty())
        return u"%1 中有程序无法使用的记录：%2"_s.arg(shown, problem);
    return {};
}

QString Backups::keepBeforeUpgrade(const QString &storePath, int fromVersion, const QDateTime &now,
                                   QString *keptAs)
{
    const QString dir = folder(storePath);
    if (const QString error = DataFolder::prepare(dir); !error.isEmpty())
        return error;
    QString kept;
    const QString prefix = u"pennyloom-before-upgrade-%1-"_s.arg(StoreSchema::versionName(fromVersion));
    if (const QString error = keepCurrent(storePath, dir, prefix, now, &kept); !error.isEmpty())
        return error;
    if (keptAs)
        *keptAs = kept;
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
    // that takes the store's place, and the backup itself is never written to. Messages name
    // the backup: the copy is ours, not a file the user knows.
    const QString candidate = storePath + u".restoring"_s;
    removeWithCompanions(candidate);
    const auto refuse = [&](const QString &reason) {
        removeWithCompanions(candidate);
        return reason;
    };
    // Rows committed in the backup's -wal, or a change its -journal undoes, belong to it.
    bool companions = false;
    for (const char *suffix : {"", "-wal", "-journal"}) {
        const QString from = backup + QString::fromLatin1(suffix);
        if (*suffix && !QFileInfo::exists(from))
            continue;
        companions = companions || *suffix != '\0';
        if (const CopyFailure failure = copyFile(from, candidate + QString::fromLatin1(suffix));
            failure.error) {
            const QString reason = DataFolder::systemError(failure.error);
            return refuse(failure.reading ? u"无法读取备份 %1：%2"_s.arg(native(from), reason)
                                          : u"无法把备份 %1 复制到 %2：%3"_s.arg(
                                                native(backup), native(store.absolutePath()), reason));
        }
    }
    if (companions) {
        if (const QString error = mergeCompanions(candidate); !error.isEmpty())
            return refuse(u"备份 %1 不能用于恢复：无法并入它的日志：%2"_s.arg(native(backup), error));
    }
    if (const QString problem = verify(candidate, backup); !problem.isEmpty())
        return refuse(u"备份 %1 不能用于恢复：%2"_s.arg(native(backup), problem));
    // Checking opened it as a store; closing wrote everything back into the file itself.
    if (QFileInfo::exists(candidate + u"-wal"_s))
        return refuse(u"备份 %1 不能用于恢复：它的日志没有并入"_s.arg(native(backup)));

    if (store.exists()) {
        QString replaced;
        if (const QString error = keepCurrent(storePath, dir, u"pennyloom-before-restore-"_s, now, &replaced);
            !error.isEmpty())
            return refuse(error);
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
    removeWithCompanions(candidate);
    return {};
}
