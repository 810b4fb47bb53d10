// SPDX-License-Identifier: GPL-3.0-or-later
#include "XLSXExporter.h"

#include "model/Clock.h"
#include "model/DateText.h"
#include "model/LocalCalendar.h"
#include "model/Money.h"

#include <QDir>
#include <QFileDevice>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr char declaration[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";

constexpr char contentTypes[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" )"
    R"(ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet1.xml" )"
    R"(ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(</Types>)";

constexpr char packageRelationships[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" )"
    R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" )"
    R"(Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";

constexpr char workbookPart[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="账单明细" sheetId="1" r:id="rId1"/></sheets>)"
    R"(</workbook>)";

constexpr char workbookRelationships[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" )"
    R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" )"
    R"(Target="worksheets/sheet1.xml"/>)"
    R"(</Relationships>)";

struct FixedPart {
    QString name;
    const char *content;
};

// The parts besides the sheet, in archive order.
const FixedPart fixedParts[] = {
    {u"[Content_Types].xml"_s, contentTypes},
    {u"_rels/.rels"_s, packageRelationships},
    {u"xl/workbook.xml"_s, workbookPart},
    {u"xl/_rels/workbook.xml.rels"_s, workbookRelationships},
};

const QString sheetPartName = u"xl/worksheets/sheet1.xml"_s;

constexpr char sheetOpening[] =
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)";
constexpr char sheetClosing[] = "</sheetData></worksheet>";

constexpr std::u16string_view headers[] = {u"日期", u"类型", u"分类", u"金额", u"备注"};

template <std::size_t N> char *put(char *p, const char (&text)[N])
{
    return std::copy_n(text, N - 1, p);
}

char *put(char *p, QByteArrayView bytes)
{
    return std::copy_n(bytes.data(), bytes.size(), p);
}

// Writes the text as UTF-8 with &, < and > escaped, at most five bytes per UTF-16 unit.
// Characters an XML 1.0 document cannot hold (control characters other than tab, line feed
// and carriage return, unpaired surrogates, U+FFFE and U+FFFF) are left out: one of them
// would make the whole workbook unreadable.
char *putEscaped(char *p, QStringView text)
{
    const char16_t *units = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i];
        if (c < 0x80) {
            if (c >= 0x20) {
                switch (c) {
                case u'&':
                    p = put(p, "&amp;");
                    break;
                case u'<':
                    p = put(p, "&lt;");
                    break;
                case u'>':
                    p = put(p, "&gt;");
                    break;
                default:
                    *p++ = char(c);
                }
            } else if (c == u'\t' || c == u'\n' || c == u'\r') {
                *p++ = char(c);
            }
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && QChar::isLowSurrogate(units[i + 1])) {
                const char32_t code = QChar::surrogateToUcs4(c, units[++i]);
                *p++ = char(0xF0 | (code >> 18));
                *p++ = char(0x80 | ((code >> 12) & 0x3F));
                *p++ = char(0x80 | ((code >> 6) & 0x3F));
                *p++ = char(0x80 | (code & 0x3F));
            }
        } else if (!QChar::isLowSurrogate(c) && c != 0xFFFE && c != 0xFFFF) {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        }
    }
    return p;
}

constexpr qsizetype escapedRoom(qsizetype units)
{
    return 5 * units;
}

// The decimal digits of a row number.
struct RowNumber {
    explicit RowNumber(qint64 row) : length(std::to_chars(digits, digits + sizeof digits, row).ptr - digits)
    {
    }
    QByteArrayView view() const { return {digits, length}; }

    char digits[24];
    qsizetype length;
};

// The most a cell's markup takes around its text, with a row number of any size.
constexpr qsizetype cellRoom = 80;
qsizetype amountRoomFor(double amount)
{
    return std::abs(amount) < 1e15 ? 24 : qsizetype(Money::decimalRoom);
}

// How many rows ahead the texts of an entry are fetched from memory.
constexpr std::size_t prefetchDistance = 8;

// The most a day text takes, "12月31日 星期三" and the like, in UTF-8.
constexpr qsizetype dayTextRoom = 64;

char *cellStart(char *p, int column, const RowNumber &row)
{
    p = put(p, R"(<c r=")");
    *p++ = char(64 + column);
    p = put(p, row.view());
    return put(p, R"(" t="inlineStr"><is><t>)");
}

char *cellEnd(char *p)
{
    return put(p, "</t></is></c>");
}

// The date texts of one local day are equal, and a sorted ledger visits its days one after
// another, so the text is made once per day rather than once per entry. The day's bounds are
// the calendar's own, so an instant is inside exactly when its local date is that day.
class DayTexts {
public:
    QByteArrayView text(const QDateTime &date)
    {
        if (!date.isValid()) {
            m_day = {};
            m_start = m_end = 0;
            setText(date);
            return m_text;
        }
        const qint64 msecs = date.toMSecsSinceEpoch();
        if (msecs >= m_start && msecs < m_end)
            return m_text;
        // Newest first, the next day met is mostly the one before: it ends where the last began.
        if (m_day.isValid() && msecs < m_start) {
            const LocalCalendar::DayBounds before = LocalCalendar::dayHolding(m_start - 1);
            if (before.day.isValid() && before.holds(msecs)) {
                m_start = before.start;
                m_end = before.end;
                m_day = before.day.date();
                setText(before.day);
                return m_text;
            }
        }
        const LocalCalendar::DayBounds day = LocalCalendar::dayHolding(msecs);
        m_day = day.day.date();
        m_start = day.start;
        m_end = day.end;
        setText(date.toLocalTime());
        return m_text;
    }

private:
    // The day's text as DateText writes it: "3月5日 星期二", the day's numbers then the weekday's
    // name. Each weekday's name is taken from DateText's own text the first time, and reused
    // only if that text was exactly these numbers and a name; otherwise DateText writes each.
    void setText(const QDateTime &local)
    {
        const QDate day = local.date();
        const int weekday = day.isValid() ? day.dayOfWeek() : 0;
        char numbers[32];
        char *end = std::to_chars(numbers, numbers + 8, day.month()).ptr;
        end = put(end, "月");
        end = std::to_chars(end, end + 8, day.day()).ptr;
        end = put(end, "日 ");
        const QByteArrayView prefix(numbers, end - numbers);
        Weekday &name = m_weekdays[std::size_t(weekday)];
        if (day.isValid() && name.state == Weekday::agrees) {
            m_text.resize(prefix.size() + name.text.size());
            put(put(m_text.data(), prefix), name.text);
            return;
        }
        const QString text = DateText::displayDate(local);
        m_text.resize(escapedRoom(text.size()));
        m_text.resize(putEscaped(m_text.data(), text) - m_text.constData());
        if (day.isValid() && name.state == Weekday::unknown) {
            const bool agrees = m_text.startsWith(prefix);
            name.state = agrees ? Weekday::agrees : Weekday::differs;
            if (agrees)
                name.text = m_text.sliced(prefix.size());
        }
    }

    struct Weekday {
        enum { unknown, agrees, differs } state = unknown;
        QByteArray text;
    };

    QDate m_day;
    qint64 m_start = 0;
    qint64 m_end = 0;
    QByteArray m_text;
    std::array<Weekday, 8> m_weekdays;
};

// The most one row can take: room for the longest text each of its cells could make.
qsizetype rowRoom(const LedgerEntry &entry)
{
    return 6 * cellRoom + dayTextRoom + 8 + amountRoomFor(entry.amount) +
           escapedRoom(entry.category.size() + entry.note.size());
}

// The sheet is handed on in pieces of about this size: small enough to stay in the
// processor's cache between being written, checksummed and copied to the file, large enough
// that each piece costs one system call among many rows.
constexpr qsizetype pieceBytes = 256 * 1024;

// A buffer the rows are written into, at most as long as a piece unless one row is longer,
// handed to the sink whenever the next row might not fit.
class Pieces {
public:
    explicit Pieces(const std::function<bool(QByteArrayView)> &sink)
        : m_sink(sink), m_buffer(pieceBytes, Qt::Uninitialized), m_end(m_buffer.data())
    {
    }

    // Where the next bytes go, with room for at least n of them; nullptr once the sink refused.
    char *room(qsizetype n)
    {
        if (m_buffer.size() - (m_end - m_buffer.constData()) < n) {
            if (!flush())
                return nullptr;
            if (m_buffer.size() < n)
                m_buffer = QByteArray(n, Qt::Uninitialized);
            m_end = m_buffer.data();
        }
        return m_end;
    }
    void advance(char *end) { m_end = end; }

    bool flush()
    {
        if (m_ok && m_end != m_buffer.constData())
            m_ok = m_sink(QByteArrayView(m_buffer.constData(), m_end - m_buffer.constData()));
        m_end = m_buffer.data();
        return m_ok;
    }

private:
    const std::function<bool(QByteArrayView)> &m_sink;
    QByteArray m_buffer;
    char *m_end;
    bool m_ok = true;
};

QString writeError(const QString &path, const QString &reason)
{
    return u"无法写入 %1：%2"_s.arg(QDir::toNativeSeparators(path), reason);
}

// The entries, newest first; equal dates keep their input order. Held as addresses, so that
// writing reads each one without finding its place in the range again.
std::vector<const LedgerEntry *> newestFirst(RecordRange<LedgerEntry> entries)
{
    std::vector<const LedgerEntry *> order;
    order.reserve(entries.size());
    for (const LedgerEntry &entry : entries)
        order.push_back(&entry);
    const auto keyOf = [](const LedgerEntry *entry) {
        return entry->date.isValid() ? entry->date.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    };
    // The store hands the entries over newest first already; checking is one pass.
    const auto newer = [&keyOf](const LedgerEntry *a, const LedgerEntry *b) { return keyOf(a) > keyOf(b); };
    if (!std::is_sorted(order.begin(), order.end(), newer))
        std::stable_sort(order.begin(), order.end(), newer);
    return order;
}

} // namespace

QString XLSXExporter::cellXML(int column, int row, const QString &text)
{
    QByteArray out(cellRoom + escapedRoom(text.size()), Qt::Uninitialized);
    const char *end = cellEnd(putEscaped(cellStart(out.data(), column, RowNumber(row)), text));
    return QString::fromUtf8(out.constData(), end - out.constData());
}

bool XLSXExporter::writeSheet(RecordRange<LedgerEntry> entries,
                              const std::function<bool(QByteArrayView)> &sink)
{
    const std::vector<const LedgerEntry *> order = newestFirst(entries);
    Pieces out(sink);

    char *p = out.room(2048);
    p = put(p, declaration);
    *p++ = '\n';
    p = put(p, sheetOpening);
    const RowNumber first(1);
    p = put(p, R"(<row r="1">)");
    for (int column = 1; column <= 5; ++column)
        p = cellEnd(putEscaped(cellStart(p, column, first), headers[column - 1]));
    p = put(p, "</row>");
    out.advance(p);

    DayTexts days;
    // An entry is an income exactly when its kind text is that of incomes; anything else,
    // an unknown text included, is an expense.
    const QString incomeRaw = EntryKinds::rawText(EntryKind::income);
    const auto isIncome = [&incomeRaw](const LedgerEntry &entry) {
        return entry.kindRaw.size() == incomeRaw.size() &&
               std::equal(entry.kindRaw.cbegin(), entry.kindRaw.cend(), incomeRaw.cbegin());
    };
    const QByteArray expense = EntryKinds::rawText(EntryKind::expense).toUtf8();
    const QByteArray income = incomeRaw.toUtf8();
    for (std::size_t i = 0; i < order.size(); ++i) {
        // Each entry's texts live in allocations of their own, scattered over the heap; a row
        // waited mostly for them to arrive from memory, so they are asked for rows ahead.
        if (i + prefetchDistance < order.size()) {
            const LedgerEntry &ahead = *order[i + prefetchDistance];
            __builtin_prefetch(ahead.kindRaw.constData());
            __builtin_prefetch(ahead.category.constData());
            __builtin_prefetch(ahead.note.constData());
        }
        const LedgerEntry &entry = *order[i];
        p = out.room(rowRoom(entry));
        if (!p)
            return false;
        const RowNumber row(qint64(i) + 2);
        p = put(p, R"(<row r=")");
        p = put(p, row.view());
        p = put(p, R"(">)");
        p = cellEnd(put(cellStart(p, 1, row), days.text(entry.date)));
        p = cellEnd(put(cellStart(p, 2, row), isIncome(entry) ? income : expense));
        p = cellEnd(putEscaped(cellStart(p, 3, row), entry.category));
        p = cellEnd(Money::writeDecimal(cellStart(p, 4, row), entry.amount));
        p = cellEnd(putEscaped(cellStart(p, 5, row), entry.note));
        p = put(p, "</row>");
        out.advance(p);
    }
    p = out.room(64);
    if (!p)
        return false;
    out.advance(put(p, sheetClosing));
    return out.flush();
}

QByteArray XLSXExporter::sheetXML(RecordRange<LedgerEntry> entries)
{
    QByteArray sheet;
    writeSheet(entries, [&sheet](QByteArrayView piece) {
        sheet.append(piece);
        return true;
    });
    return sheet;
}

std::vector<ZipWriter::File> XLSXExporter::parts(RecordRange<LedgerEntry> entries)
{
    std::vector<ZipWriter::File> files;
    for (const FixedPart &part : fixedParts)
        files.push_back({part.name, QByteArray(part.content)});
    files.push_back({sheetPartName, sheetXML(entries)});
    return files;
}

namespace {

// Asks the disk to start writing what reached the file every few megabytes, so that the sync
// before the rename waits for the last of it only instead of all of it.
class EarlyWriteback {
public:
    explicit EarlyWriteback(QIODevice &device)
    {
#ifdef Q_OS_LINUX
        if (auto *file = qobject_cast<QFileDevice *>(&device))
            m_fd = file->handle();
#endif
        Q_UNUSED(device)
    }

    void written(qint64 position)
    {
#ifdef Q_OS_LINUX
        if (m_fd >= 0 && position - m_started >= stepBytes) {
            // Only a head start: if it fails, the sync at commit still writes and checks all.
            ::sync_file_range(m_fd, m_started, position - m_started, SYNC_FILE_RANGE_WRITE);
            m_started = position;
        }
#else
        Q_UNUSED(position)
#endif
    }

private:
    static constexpr qint64 stepBytes = 4 * 1024 * 1024;
    int m_fd = -1;
    qint64 m_started = 0;
};

} // namespace

bool XLSXExporter::writeWorkbook(QIODevice &device, RecordRange<LedgerEntry> entries, QString *error)
{
    ZipWriter::Writer zip(device);
    EarlyWriteback writeback(device);
    bool written = true;
    for (const FixedPart &part : fixedParts)
        written = written && zip.add(part.name, part.content);
    written = written && zip.open(sheetPartName) &&
              writeSheet(entries,
                         [&](QByteArrayView piece) {
                             const bool appended = zip.append(piece);
                             writeback.written(device.pos());
                             return appended;
                         }) &&
              zip.close() && zip.finish();
    if (!written && error)
        *error = zip.errorString();
    return written;
}

std::optional<QByteArray> XLSXExporter::workbook(RecordRange<LedgerEntry> entries, QString *error)
{
    return ZipWriter::inMemory([&](QIODevice &device) { return writeWorkbook(device, entries, error); });
}

QString XLSXExporter::fileName(const QDateTime &now)
{
    return u"Pennyloom-"_s + DateText::monthKey(now) + u".xlsx"_s;
}

bool XLSXExporter::exportTo(RecordRange<LedgerEntry> entries, const QString &path, QString *error,
                            WorkbookFile::Links links)
{
    const QString reason = WorkbookFile::write(
        path, links, [&](QFileDevice &file, QString *why) { return writeWorkbook(file, entries, why); });
    if (reason.isEmpty())
        return true;
    if (error)
        *error = writeError(path, reason);
    return false;
}

std::optional<QString> XLSXExporter::exportEntries(RecordRange<LedgerEntry> entries, const QString &folder,
                                                   QString *error)
{
    const QString path = QDir(folder).filePath(fileName(Clock::now()));
    // A name of our making: a link there is not followed.
    if (!exportTo(entries, path, error, WorkbookFile::Links::refuse))
        return std::nullopt;
    return path;
}
