// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr mode_t privateFolder = 0700;
constexpr mode_t privateFile = 0600;

QString folderError(const QString &folder, int errorNumber)
{
    return u"无法使用数据文件夹 %1：%2"_s.arg(QDir::toNativeSeparators(folder),
                                              DataFolder::systemError(errorNumber));
}

// Narrows one path to the mode when it allows more; true when it did.
bool narrowTo(const QString &path, mode_t mode, QStringList *notes)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || S_ISLNK(info.st_mode))
        return false;
    const mode_t now = info.st_mode & 07777;
    if ((now & ~mode) == 0)
        return false;
    if (::chmod(native.constData(), now & mode) != 0) {
        notes->append(
            u"无法收紧 %1 的权限：%2"_s.arg(QDir::toNativeSeparators(path), DataFolder::systemError(errno)));
        return false;
    }
    notes->append(u"已收紧 %1 的权限（%2 → %3），只有本人可读写"_s.arg(
        QDir::toNativeSeparators(path), QString::number(now, 8), QString::number(now & mode, 8)));
    return true;
}

// Whether the lock file's text is what QLockFile writes: the holder's pid on the first line.
bool namesHolder(const QByteArray &text)
{
    const qsizetype end = text.indexOf('\n');
    if (end <= 0)
        return false;
    bool number = false;
    return text.left(end).toLongLong(&number) > 0 && number;
}

// Why a file cannot be made and filled in the folder, as an errno value; 0 when it can.
// Making an empty file takes no room, so the probe writes as much as a lock file holds and
// syncs it: a full disk says ENOSPC here and nowhere else.
int probeFolder(const QString &folder)
{
    QByteArray probe = QFile::encodeName(folder + u"/.pennyloom-XXXXXX"_s);
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return errno;
    const QByteArray filler(512, '\n');
    int reason = 0;
    if (::write(fd, filler.constData(), size_t(filler.size())) != filler.size() || ::fsync(fd) != 0)
        reason = errno != 0 ? errno : ENOSPC;
    ::close(fd);
    ::unlink(probe.constData());
    return reason;
}

} // namespace

QString DataFolder::defaultStorePath()
{
    QString dir = qEnvironmentVariable("PENNYLOOM_DATA_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Pennyloom"_s;
    return QDir(dir).filePath(u"pennyloom.sqlite"_s);
}

QString DataFolder::prepareStore(const QString &storePath)
{
    const QFileInfo file(storePath);
    if (file.exists() && !file.isFile())
        return u"路径不是文件"_s;
    if (QString error = prepare(file.absolutePath()); !error.isEmpty())
        return error;
    return createPrivateFile(storePath);
}

QString DataFolder::existingStore(const QString &storePath)
{
    if (QFileInfo(storePath).isFile())
        return {};
    return QFileInfo::exists(storePath) ? u"路径不是文件"_s : systemError(ENOENT);
}

QString DataFolder::systemError(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString DataFolder::prepare(const QString &folder)
{
    const QString absolute = QDir::cleanPath(QDir(folder).absolutePath());
    // Each missing level is made private on its own; mkpath would leave them to the umask.
    qsizetype from = 1;
    while (from <= absolute.size()) {
        qsizetype end = absolute.indexOf(u'/', from);
        if (end < 0)
            end = absolute.size();
        const QString level = absolute.left(end);
        const QByteArray native = QFile::encodeName(level);
        if (::mkdir(native.constData(), privateFolder) == 0) {
            if (::chmod(native.constData(), privateFolder) != 0)
                return folderError(level, errno);
        } else if (errno != EEXIST) {
            return folderError(level, errno);
        } else {
            struct stat info {};
            if (::stat(native.constData(), &info) != 0)
                return folderError(level, errno);
            if (!S_ISDIR(info.st_mode))
                return folderError(level, ENOTDIR);
        }
        from = end + 1;
    }
    if (::access(QFile::encodeName(absolute).constData(), W_OK | X_OK) != 0)
        return folderError(absolute, errno);
    return {};
}

QString DataFolder::createPrivateFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, privateFile);
    if (fd < 0) {
        if (errno == EEXIST)
            return {};
        return u"无法创建文件 %1：%2"_s.arg(QDir::toNativeSeparators(path), systemError(errno));
    }
    const bool narrowed = ::fchmod(fd, privateFile) == 0;
    const int fchmodError = errno;
    ::close(fd);
    if (!narrowed)
        return u"无法设置文件 %1 的权限：%2"_s.arg(QDir::toNativeSeparators(path), systemError(fchmodError));
    return {};
}

QStringList DataFolder::narrow(const QString &storePath)
{
    // The folder itself is left as it is: it may be one the user chose and shares with other
    // things. The files in it are ours.
    QStringList notes;
    const QFileInfo store(storePath);
    for (const char *suffix : {"", "-wal", "-shm", "-journal", ".lock"})
        narrowTo(storePath + QString::fromLatin1(suffix), privateFile, &notes);
    const QDir backups(store.absoluteDir().filePath(u"backups"_s));
    if (backups.exists()) {
        narrowTo(backups.path(), privateFolder, &notes);
        for (const QString &name : backups.entryList(QDir::Files | QDir::Hidden))
            narrowTo(backups.filePath(name), privateFile, &notes);
    }
    return notes;
}

std::unique_ptr<QLockFile> DataFolder::lock(const QString &storePath, QString *error)
{
    const QString lockPath = storePath + u".lock"_s;
    auto lock = std::make_unique<QLockFile>(lockPath);
    // A "pennyloom add" writing without a window holds the lock for a moment: wait that long
    // before saying another copy has it.
    if (tryLock(*lock, 5000))
        return lock;
    if (lock->error() == QLockFile::LockFailedError) {
        // Two running copies would each hold their own picture of the records and undo each
        // other's changes, so the second one stops, and says what to wait for.
        qint64 pid = 0;
        QString host;
        QString application;
        QStringList arguments;
        if (lock->getLockInfo(&pid, &host, &application) && pid > 0) {
            QFile commandLine(u"/proc/%1/cmdline"_s.arg(pid));
            if (commandLine.open(QIODevice::ReadOnly)) {
                for (const QByteArray &argument : commandLine.readAll().split('\0'))
                    arguments.append(QFile::decodeName(argument));
                while (!arguments.isEmpty() && arguments.constLast().isEmpty())
                    arguments.removeLast();
            }
        }
        *error = inUseMessage(storePath, pid, arguments);
        return nullptr;
    }
    // QLockFile does not say why; asking the system the same questions does, without leaving
    // a file behind that a later start would take for a lock.
    int reason = lock->error() == QLockFile::PermissionError ? EACCES : EIO;
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
    } else if (errno != ENOENT) {
        reason = errno;
    } else if (const int probed = probeFolder(QFileInfo(lockPath).absolutePath()); probed != 0) {
        // QLockFile removes a lock file it could not fill, so the file is gone by now.
        reason = probed;
    }
    *error =
        u"无法在数据文件夹中建立锁文件 %1：%2"_s.arg(QDir::toNativeSeparators(lockPath), systemError(reason));
    return nullptr;
}

QString DataFolder::inUseMessage(const QString &storePath, qint64 pid, const QStringList &arguments)
{
    const QString path = QDir::toNativeSeparators(storePath);
    if (arguments.isEmpty())
        return u"数据文件 %1 正被另一个 Pennyloom 使用，请先关闭那个窗口。"_s.arg(path);
    const QString program = QFileInfo(arguments.constFirst()).fileName();
    if (program == u"pennyloom"_s) {
        const QString first = arguments.value(1);
        // The window's options start a window; a word or one of the command options is a
        // command, which holds the lock only while it writes.
        const bool command = (!first.isEmpty() && !first.startsWith(u'-')) || first == u"--remind"_s ||
                             first == u"--restore"_s;
        if (command)
            return u"数据文件 %1 正被命令“pennyloom %2”使用（进程 %3），请等它结束后再打开。"_s
                .arg(path, first)
                .arg(pid);
        return u"数据文件 %1 正被另一个 Pennyloom 使用（窗口，进程 %2），请先关闭那个窗口。"_s.arg(path).arg(
            pid);
    }
    return u"数据文件 %1 正被另一个程序“%2”使用（进程 %3），请等它结束后再打开。"_s.arg(path, program)
        .arg(pid);
}

bool DataFolder::clearAbandonedLock(const QString &lockPath)
{
    const QByteArray native = QFile::encodeName(lockPath);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    bool removed = false;
    struct stat info {};
    // A holder keeps a native lock on the file from the moment it has one; the file is only
    // judged once nobody does, and only when it is older than the instant a live process
    // takes between creating it and writing its pid.
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size < 4096 &&
        std::time(nullptr) - info.st_mtime >= 2 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        QByteArray text(qsizetype(info.st_size), '\0');
        const ssize_t got = ::pread(fd, text.data(), size_t(text.size()), 0);
        if (got >= 0 && !namesHolder(text.left(got)))
            removed = ::unlink(native.constData()) == 0;
    }
    ::close(fd);
    return removed;
}

bool DataFolder::tryLock(QLockFile &lock, int timeoutMs)
{
    const QString lockPath = lock.fileName();
    clearAbandonedLock(lockPath);
    bool taken = lock.tryLock(timeoutMs);
    // The empty file may have been young when first seen; it is judged again after the wait.
    if (!taken && lock.error() == QLockFile::LockFailedError && clearAbandonedLock(lockPath))
        taken = lock.tryLock(0);
    if (taken)
        ::chmod(QFile::encodeName(lockPath).constData(), privateFile);
    return taken;
}
