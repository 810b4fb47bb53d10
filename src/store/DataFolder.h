// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

// The folder that holds the store, its companions (-wal, -shm, .lock) and its backups. Records
// of someone's money are theirs alone: the folder is kept 0700 and every file in it 0600,
// whatever the umask.
namespace DataFolder {

// $PENNYLOOM_DATA_DIR/pennyloom.sqlite, else the store in the user's data folder for the program.
QString defaultStorePath();

// Makes the store's folder (0700) and the store file, empty and 0600, unless it exists: SQLite
// gives the -wal and -shm the mode of the store, so it must be private before SQLite sees it.
// Empty on success, else why not.
QString prepareStore(const QString &storePath);

// Empty when a store file is there to be read; else why not (not a file, or missing).
QString existingStore(const QString &storePath);

// Creates the folder and any missing parents (0700). Empty when the folder is there and
// files can be made in it; otherwise an error naming the folder and the system's reason.
QString prepare(const QString &folder);

// Creates the file, empty and 0600, unless it exists. Empty on success, else the error.
QString createPrivateFile(const QString &path);

// Takes away group and other permissions from the store, its companions, the backups folder
// and the backups. One line for each path that was narrowed.
QStringList narrow(const QString &storePath);

// The lock that keeps a second running copy off the store. Null, with the error, when it is
// not taken: "in use" only when a live process holds it, otherwise the file and the reason.
std::unique_ptr<QLockFile> lock(const QString &storePath, QString *error);

// Why the store cannot be opened while the process pid holds its lock, naming that process by
// its command line (/proc/<pid>/cmdline): another window, a command of the program such as
// "pennyloom import" that will soon be done, or some other program.
QString inUseMessage(const QString &storePath, qint64 pid, const QStringList &arguments);

// Tries to take the lock for up to timeoutMs; the lock file is made 0600 once taken. A lock
// file left empty or unreadable by a process killed while making it counts as free at once.
bool tryLock(QLockFile &lock, int timeoutMs);

// Removes the lock file at path when it names no holder (empty or not in the lock's own
// format), nobody holds it, and it is old enough not to be one a live process is still
// writing. True when it removed one.
bool clearAbandonedLock(const QString &lockPath);

// The system's text for an errno value.
QString systemError(int errorNumber);

} // namespace DataFolder
