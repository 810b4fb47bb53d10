// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColumnMapping.h"
#include "ImportRow.h"
#include "ImportTable.h"
#include "OfxReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QtGlobal>

// How much of a file the reader takes in before refusing it.
struct ImportLimits {
    // Bill exports of several years stay far below this; anything larger is refused unread.
    qint64 maxFileBytes = 100LL * 1024 * 1024;
    // What an .xlsx may inflate to, all parts together, counted while inflating.
    qint64 maxInflatedBytes = 256LL * 1024 * 1024;
    // The cells a sheet may hold, the empty ones a row is padded with included: a statement of
    // 100,000 lines of 40 columns. A sheet that names far columns in a few bytes stops here.
    qint64 maxCells = 4'000'000;
};

// A file loaded and recognised from its content alone (never its name): a WeChat Pay bill
// (CSV or .xlsx), an Alipay bill (current or older columns), a QIF file, an OFX or QFX
// statement, or any other CSV or sheet, which needs a ColumnMapping before its rows can be read. Loading
// never fails silently: either error is set or the header has been found.
struct ImportFile {
    enum class Layout { wechat, alipay, alipayOlder, table, qif, ofx };

    // The file's name (without folder), as messages name it.
    QString fileName;
    // Why the file as a whole cannot be read, naming the file: missing, too large, empty,
    // not text, a damaged or oversized workbook, no header line. Empty when loaded.
    QString error;
    Layout layout = Layout::table;
    // "UTF-8", "UTF-8 BOM", "GB18030", "Latin-1" (QIF only), "xlsx" or "OFX".
    QString encoding;
    // The header line's names, trimmed, and the line it is on.
    QStringList header;
    int headerLine = 0;
    // Every record of the file; the rows are those after headerIndex.
    ImportTable table;
    size_t headerIndex = 0;
    // A QIF file's text, read into rows only once the date order is chosen.
    QString text;
    // An OFX statement's transactions.
    OfxReader::Statement statement;
    // Where the file is damaged, naming the place (a sheet's row and the XML line, a line of an
    // OFX statement) and the fault; empty for a whole file. damageLine is that row or line.
    QString damage;
    int damageLine = 0;
    // A damaged sheet was read up to its damage only; nothing of it is imported unless the
    // person chooses to take the rows before the damage. A damaged statement whose every
    // transaction still reads is imported with the damage named.
    bool damageStopsImport = false;
    bool takeBeforeDamage = false;

    // Only a regular file is read, once; a pipe, FIFO, device or folder is refused unread,
    // since it may never end, or give something else when read a second time.
    static ImportFile load(const QString &path, const ImportLimits &limits = {});
    // The bytes load() reads, for a caller that hands them on; false with the error, which
    // names the file, when it reads none.
    static bool readBytes(const QString &path, const ImportLimits &limits, QByteArray *bytes, QString *error);
    // The same from bytes already in memory; fileName only names it in messages.
    static ImportFile fromBytes(const QByteArray &bytes, const QString &fileName,
                                const ImportLimits &limits = {});

    bool ok() const { return error.isEmpty(); }
    // The lines of a damaged sheet after its header and before the damage.
    int rowsBeforeDamage() const;
    ImportSource source() const;
    // For a table file: a mapping guessed from its header and the key under which the store
    // remembers the user's mapping for files with this header line.
    ColumnMapping guessedMapping() const { return ColumnMapping::guess(header); }
    QString headerKey() const { return ColumnMapping::headerKey(header); }
};
