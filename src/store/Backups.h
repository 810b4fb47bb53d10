// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class ModelStore;

// Copies of the store in backups/ beside it, made with SQLite's online backup so a copy is
// always a consistent store. One daily copy a day, named pennyloom-YYYY-MM-DD.sqlite after
// the local date; the 7 newest are kept, and of the older ones the first copy of each of the
// 4 newest ISO weeks.
namespace Backups {

QString folder(const QString &storePath);
QString dailyName(const QDate &day);

// The days whose daily copies stay, out of the days that have one.
QList<QDate> kept(QList<QDate> days);

// Clears copies left unfinished, makes the day's copy of the open store unless there is one,
// then drops the copies that are no longer kept. The caller holds the store's lock. Empty on
// success, else an error naming the file.
QString makeDaily(const ModelStore &store, const QDate &today);

// Empty when the file is a sound store of this program: SQLite's integrity check passes, the
// schema is exactly ours (of this version or an older one), every id is canonical, every date
// within the years 1 to 9999 and every record opens. An older store is upgraded in place by
// that last check. Otherwise why it is not, naming the file as shownAs when given.
QString verify(const QString &file, const QString &shownAs = {});

// Copies the store, which is of the older version fromVersion, into the backups folder as
// pennyloom-before-upgrade-<version>-YYYYMMDD-HHMMSS.sqlite (or -2 and so on, never replacing
// an earlier copy), given in keptAs. Empty on success, else an error naming the folder.
QString keepBeforeUpgrade(const QString &storePath, int fromVersion, const QDateTime &now, QString *keptAs);

// Replaces the store with the backup, and the rows of a -wal beside it, after checking it.
// The store it replaces is first copied into the backups folder under a name no earlier
// copy has (given in keptAs). The caller holds the store's lock. Empty on success, else an
// error naming the backup; on error the store is untouched.
QString restore(const QString &backup, const QString &storePath, const QDateTime &now, QString *keptAs);

} // namespace Backups
