// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbookFile.h"

#include "store/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Why a file of that type may not be replaced by the workbook, or empty: the rename would put
// a plain file in the place of a pipe or a device, and a folder cannot be replaced at all.
QString typeRefusal(mode_t mode)
{
    if (S_ISDIR(mode))
        return u"这是一个文件夹"_s;
    if (!S_ISREG(mode))
        return u"这不是普通文件，而是管道或设备，不能用导出的文件替换它"_s;
    return {};
}

// Gives the finished file the name unless something holds it by now. 0 or the errno, EEXIST
// when the name is taken.
int nameWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::link(from.constData(), to.constData()) == 0)
        return ::unlink(from.constData()) == 0 ? 0 : errno;
    const int linkError = errno;
    // File systems without hard links can still refuse a taken name themselves.
    if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != ENOSYS)
        return linkError;
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0 ? 0
                                                                                                    : errno;
}

// The file the person chose through a link: the link stays and the file it names is replaced
// (made when the link dangles). A link to a pipe or a device is refused like one.
QString throughLink(const QString &path, const std::function<bool(QFileDevice &, QString *)> &fill)
{
    struct stat target;
    const bool exists = ::stat(QFile::encodeName(path).constData(), &target) == 0;
    if (!exists && errno != ENOENT)
        return DataFolder::systemError(errno);
    if (exists) {
        if (const QString refusal = typeRefusal(target.st_mode); !refusal.isEmpty())
            return refusal;
    }
    QSaveFile file(path);
    // Unbuffered: a write the disk cuts short is seen at once and asked again for the rest,
    // which fails with the system's reason; a buffer's failed flush would name none.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A file replaced keeps its mode, as QSaveFile gives it; a new one is private.
    if (!exists && ::fchmod(file.handle(), 0600) != 0)
        return DataFolder::systemError(errno);
    QString reason;
    if (!fill(file, &reason))
        return reason;
    // The commit syncs too but ignores a failure, which may be the first sign of a full disk.
    if (::fsync(file.handle()) != 0)
        return DataFolder::systemError(errno);
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace

QString WorkbookFile::write(const QString &path, Links links,
                            const std::function<bool(QFileDevice &, QString *)> &fill)
{
    const QByteArray name = QFile::encodeName(path);
    // lstat: a link is looked at as a link, not as the file it names.
    struct stat seen;
    const bool existed = ::lstat(name.constData(), &seen) == 0;
    if (!existed && errno != ENOENT)
        return DataFolder::systemError(errno);
    if (existed && S_ISLNK(seen.st_mode)) {
        if (links == Links::refuse)
            return u"这是一个指向别处的链接，导出不会替换它指向的文件；请另选一个文件名"_s;
        return throughLink(path, fill);
    }
    if (existed) {
        if (const QString refusal = typeRefusal(seen.st_mode); !refusal.isEmpty())
            return refusal;
    }

    // A short name of its own, so that a chosen name near the length limit still fits.
    const QString made = QFileInfo(path).dir().filePath(
        u".pennyloom-export-"_s + QString::number(QRandomGenerator::system()->generate64(), 36) +
        u".partial"_s);
    const QByteArray madeName = QFile::encodeName(made);
    QFile file(made);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return file.errorString();
    QString reason;
    // The umask can only take permissions away; fchmod makes sure of 0600 on any system.
    if (::fchmod(file.handle(), 0600) != 0)
        reason = DataFolder::systemError(errno);
    else if (!fill(file, &reason) && reason.isEmpty())
        reason = file.errorString();
    else if (reason.isEmpty() && ::fsync(file.handle()) != 0)
        reason = DataFolder::systemError(errno);
    file.close();
    if (reason.isEmpty() && file.error() != QFileDevice::NoError)
        reason = file.errorString();
    if (!reason.isEmpty()) {
        ::unlink(madeName.constData());
        return reason;
    }

    // Only over the very file looked at above, or where there was none: anything put at the
    // name meanwhile, a link above all, stays as it is.
    int error = 0;
    if (!existed) {
        error = nameWithoutReplacing(madeName, name);
        if (error == EEXIST)
            reason = u"导出期间这里出现了一个同名文件，没有替换它"_s;
    } else {
        struct stat now;
        if (::lstat(name.constData(), &now) != 0 || now.st_dev != seen.st_dev || now.st_ino != seen.st_ino ||
            !S_ISREG(now.st_mode))
            reason = u"导出期间这个文件被换成了别的，没有替换它"_s;
        else if (std::rename(madeName.constData(), name.constData()) != 0)
            error = errno;
    }
    if (reason.isEmpty() && error != 0)
        reason = DataFolder::systemError(error);
    if (!reason.isEmpty())
        ::unlink(madeName.constData());
    return reason;
}
