#include "XLSXExporter.h"

#include "model/Clock.h"
#include "model/DateText.h"
#include "model/LocalCalendar.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <charconv>
#include <cmath>
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
// The most "%.2f" writes: the largest double has 309 integer digits.
constexpr qsizetype amountRoom = 330;

qsizetype amountRoomFor(double amount)
{
    return std::abs(amount) < 1e15 ? 24 : amountRoom;
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

// to_chars is locale-independent and rounds as printf's "%.2f" does, from the exact binary
// value; its digits, point and sign need no escaping.
char *putAmount(char *p, double amount)
{
    return std::to_chars(p, p + amountRoom, amount, std::chars_format::fixed, 2).ptr;
}

// The date texts of one local day are equal, and a sorted ledger visits its days one after
// another, so the text is made once per day rather than once per entry.
class DayTexts {
public:
    QByteArrayView text(const QDateTime &date)
    {
        const qint64 msecs = date.toMSecsSinceEpoch();
        if (!date.isValid() || msecs < m_start || msecs >= m_end) {
            const DateInterval day = LocalCalendar::dayInterval(date);
            m_start = day.start.isValid() ? day.start.toMSecsSinceEpoch() : 0;
            m_end = day.end.isValid() ? day.end.toMSecsSinceEpoch() : 0;
            const QString text = DateText::displayDate(date);
            m_text.resize(escapedRoom(text.size()));
            m_text.resize(putEscaped(m_text.data(), text) - m_text.constData());
        }
        return m_text;
    }

private:
    qint64 m_start = 0;
    qint64 m_end = 0;
    QByteArray m_text;
};

QString writeError(const QString &path, const QString &reason)
{
    return u"无法写入 %1：%2"_s.arg(QDir::toNativeSeparators(path), reason);
}

// Positions of the entries, newest first; equal dates keep their input order.
std::vector<std::size_t> newestFirst(std::span<const LedgerEntry> entries)
{
    std::vector<qint64> keys(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys[i] = entries[i].date.isValid() ? entries[i].date.toMSecsSinceEpoch()
                                            : std::numeric_limits<qint64>::min();
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // The store hands the entries over newest first already; checking is one pass.
    const auto newer = [&keys](std::size_t a, std::size_t b) { return keys[a] > keys[b]; };
    if (!std::is_sorted(order.begin(), order.end(), newer))
        std::stable_sort(order.begin(), order.end(), newer);
    return order;
}

} // namespace

QString XLSXExporter::amountText(double amount)
{
    char text[amountRoom];
    return QString::fromLatin1(text, putAmount(text, amount) - text);
}

QString XLSXExporter::cellXML(int column, int row, const QString &text)
{
    QByteArray out(cellRoom + escapedRoom(text.size()), Qt::Uninitialized);
    const char *end = cellEnd(putEscaped(cellStart(out.data(), column, RowNumber(row)), text));
    return QString::fromUtf8(out.constData(), end - out.constData());
}

QByteArray XLSXExporter::sheetXML(std::span<const LedgerEntry> entries)
{
    const std::vector<std::size_t> order = newestFirst(entries);

    // Room for the longest text every row could make, taken at once and given back at the
    // end: the pieces are then plain copies, and pages never written are never touched.
    const auto rowRoom = [](const LedgerEntry &entry) {
        return 6 * cellRoom + dayTextRoom + 8 + amountRoomFor(entry.amount) +
               escapedRoom(entry.category.size() + entry.note.size());
    };
    qsizetype room = 2048;
    for (const LedgerEntry &entry : entries)
        room += rowRoom(entry);
    QByteArray out(room, Qt::Uninitialized);
    char *p = out.data();

    p = put(p, declaration);
    *p++ = '\n';
    p = put(p, sheetOpening);
    const RowNumber first(1);
    p = put(p, R"(<row r="1">)");
    for (int column = 1; column <= 5; ++column)
        p = cellEnd(putEscaped(cellStart(p, column, first), headers[column - 1]));
    p = put(p, "</row>");

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
            const LedgerEntry &ahead = entries[order[i + prefetchDistance]];
            __builtin_prefetch(ahead.kindRaw.constData());
            __builtin_prefetch(ahead.category.constData());
            __builtin_prefetch(ahead.note.constData());
        }
        const LedgerEntry &entry = entries[order[i]];
        const RowNumber row(qint64(i) + 2);
        p = put(p, R"(<row r=")");
        p = put(p, row.view());
        p = put(p, R"(">)");
        p = cellEnd(put(cellStart(p, 1, row), days.text(entry.date)));
        p = cellEnd(put(cellStart(p, 2, row), isIncome(entry) ? income : expense));
        p = cellEnd(putEscaped(cellStart(p, 3, row), entry.category));
        p = cellEnd(putAmount(cellStart(p, 4, row), entry.amount));
        p = cellEnd(putEscaped(cellStart(p, 5, row), entry.note));
        p = put(p, "</row>");
    }
    p = put(p, sheetClosing);
    out.truncate(p - out.constData());
    return out;
}

std::vector<ZipWriter::File> XLSXExporter::parts(std::span<const LedgerEntry> entries)
{
    return {
        {u"[Content_Types].xml"_s, QByteArray(contentTypes)},
        {u"_rels/.rels"_s, QByteArray(packageRelationships)},
        {u"xl/workbook.xml"_s, QByteArray(workbookPart)},
        {u"xl/_rels/workbook.xml.rels"_s, QByteArray(workbookRelationships)},
        {u"xl/worksheets/sheet1.xml"_s, sheetXML(entries)},
    };
}

std::optional<QByteArray> XLSXExporter::workbook(std::span<const LedgerEntry> entries, QString *error)
{
    return ZipWriter::archive(parts(entries), error);
}

QString XLSXExporter::fileName(const QDateTime &now)
{
    return u"Pennyloom-"_s + DateText::monthKey(now) + u".xlsx"_s;
}

bool XLSXExporter::writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error)
        *error = writeError(path, file.errorString());
    return written;
}

std::optional<QString> XLSXExporter::exportEntries(std::span<const LedgerEntry> entries, QString *error)
{
    return exportEntries(entries, QDir::tempPath(), error);
}

std::optional<QString> XLSXExporter::exportEntries(std::span<const LedgerEntry> entries,
                                                   const QString &folder, QString *error)
{
    const QString path = QDir(folder).filePath(fileName(Clock::now()));
    // The archive goes to a new file beside the target, reaches the disk, and only then
    // replaces the target; the sheet is written from its own buffer, not copied first.
    QSaveFile file(path);
    QString zipError;
    if (file.open(QIODevice::WriteOnly) && ZipWriter::write(file, parts(entries), &zipError) && file.commit())
        return path;
    if (error)
        *error = u"无法写入 %1：%2"_s.arg(QDir::toNativeSeparators(path),
                                          zipError.isEmpty() ? file.errorString() : zipError);
    return std::nullopt;
}
