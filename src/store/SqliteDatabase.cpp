// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteDatabase.h"

#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

SqliteStatement::SqliteStatement(SqliteDatabase &db, const QByteArray &sql) : m_db(db.handle())
{
    if (sqlite3_prepare_v2(m_db, sql.constData(), static_cast<int>(sql.size()), &m_statement, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

QString SqliteStatement::wellFormed(const QString &text)
{
    // SQLite's own UTF-16 decoder would pair a lone surrogate with whatever follows it, so the
    // file would read back different from what the screen showed.
    QString result = text;
    const qsizetype size = result.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = result.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < size && result.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        result[i] = QChar::ReplacementCharacter;
    }
    return result;
}

void SqliteStatement::bind(int index, const QString &value)
{
    const QByteArray utf8 = wellFormed(value).toUtf8();
    sqlite3_bind_text64(m_statement, index, utf8.constData(), static_cast<sqlite3_uint64>(utf8.size()),
                        SQLITE_TRANSIENT, SQLITE_UTF8);
}

void SqliteStatement::bind(int index, double value)
{
    sqlite3_bind_double(m_statement, index, value);
}

void SqliteStatement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(m_statement, index);
}

int SqliteStatement::step()
{
    return m_statement ? sqlite3_step(m_statement) : SQLITE_MISUSE;
}

bool SqliteStatement::run()
{
    const int rc = step();
    reset();
    return rc == SQLITE_DONE;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

QString SqliteStatement::text(int column) const
{
    const QByteArrayView bytes = utf8(column);
    return bytes.isNull() ? QString() : QString::fromUtf8(bytes);
}

QByteArrayView SqliteStatement::utf8(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_statement, column)) : QByteArrayView();
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close_v2(m_db);
}

bool SqliteDatabase::open(const QString &path)
{
    return openAs(path.toUtf8(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

bool SqliteDatabase::openAs(const QByteArray &name, int flags)
{
    const int rc = sqlite3_open_v2(name.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        m_openError = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    return true;
}

bool SqliteDatabase::openReadOnly(const QString &path)
{
    // A WAL file is read through its -wal and -shm. A read-only connection makes them when
    // missing, with the file's mode, and leaves them behind: made from a file the user may only
    // read, that -shm would keep the store unwritable after its mode is mended, and in a folder
    // the user may not write they cannot be made at all. So they are used, under SQLite's locks,
    // only when a writer left them (a running window, or rows a crash left in the -wal). Without
    // them no writer is at work and the file holds every row: it is read as immutable, which
    // touches nothing beside it.
    const QFileInfo wal(path + u"-wal"_s);
    const bool companions = wal.size() > 0 || (wal.exists() && QFileInfo::exists(path + u"-shm"_s));
    QByteArray name = QFile::encodeName(path);
    int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    if (!companions) {
        name = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + "?immutable=1";
        flags |= SQLITE_OPEN_URI;
    }
    return openAs(name, flags);
}

bool SqliteDatabase::isReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

bool SqliteDatabase::exec(const QByteArray &sql)
{
    return m_db && sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<QString> SqliteDatabase::scalar(const QByteArray &sql)
{
    SqliteStatement statement(*this, sql);
    if (!statement.isValid())
        return std::nullopt;
    const int rc = statement.step();
    if (rc == SQLITE_ROW)
        return statement.text(0);
    if (rc == SQLITE_DONE)
        return QString();
    return std::nullopt;
}

int SqliteDatabase::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

QString SqliteDatabase::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : m_openError;
}

QString SqliteDatabase::copyTo(const QString &target)
{
    const QString partial = target + u".partial"_s;
    const auto failed = [&](const QString &reason) {
        QFile::remove(partial);
        return u"无法写入备份 %1：%2"_s.arg(QDir::toNativeSeparators(target), reason);
    };
    QFile::remove(partial);
    if (const QString error = DataFolder::createPrivateFile(partial); !error.isEmpty())
        return failed(error);
    {
        SqliteDatabase copy;
        if (!m_db || !copy.open(partial))
            return failed(copy.lastError());
        sqlite3_backup *backup = sqlite3_backup_init(copy.m_db, "main", m_db, "main");
        if (!backup)
            return failed(copy.lastError());
        const int rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE)
            return failed(QString::fromUtf8(sqlite3_errstr(rc)));
        // A copy stands alone: no -wal to carry beside it.
        if (!copy.exec("PRAGMA journal_mode = DELETE"))
            return failed(copy.lastError());
    }
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0)
        return failed(DataFolder::systemError(errno));
    return {};
}
