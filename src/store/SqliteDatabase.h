// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

class SqliteDatabase;

// One prepared statement; finalized when it goes out of scope. Parameters count from 1,
// result columns from 0, as in SQLite itself.
class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase &db, const QByteArray &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_statement != nullptr; }

    // The text with every unpaired UTF-16 surrogate replaced by U+FFFD: what bind() writes.
    static QString wellFormed(const QString &text);

    // Texts are written as UTF-8, made well formed first.
    void bind(int index, const QString &value);
    void bind(int index, double value);
    void bind(int index, qint64 value);
    void bindNull(int index);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Runs a statement that returns no rows; true when it finished.
    bool run();
    void reset();

    QString text(int column) const;
    // The column's UTF-8 bytes as SQLite holds them, valid until the next step or reset; a
    // null view for NULL.
    QByteArrayView utf8(int column) const;
    double real(int column) const;
    qint64 integer(int column) const;
    bool isNull(int column) const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
};

// An open SQLite connection; closed when it goes out of scope.
class SqliteDatabase {
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    // Opens (creating when missing) the file read-write.
    bool open(const QString &path);
    // Opens an existing file only to read it, also where the user may not write; it adds no
    // -wal or -shm beside a file that has none.
    bool openReadOnly(const QString &path);
    bool isReadOnly() const;
    bool exec(const QByteArray &sql);
    // The first column of the first row of a query, as text; nothing when it fails.
    std::optional<QString> scalar(const QByteArray &sql);
    // A consistent copy of the open database into a new file (0600) at target, through
    // SQLite's online backup; the copy appears under its name only once complete. Empty on
    // success, else an error naming the target.
    QString copyTo(const QString &target);
    // Rows changed by the last statement that wrote.
    int changes() const;
    QString lastError() const;
    sqlite3 *handle() const { return m_db; }

private:
    bool openAs(const QByteArray &name, int flags);

    sqlite3 *m_db = nullptr;
    QString m_openError;
};
