#include "XLSXExporter.h"

#include "model/Clock.h"
#include "model/DateText.h"
#include "model/LocalCalendar.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <charconv>
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

void appendInt(QByteArray &out, qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

// Appends the text as UTF-8 with &, < and > escaped. Characters an XML 1.0 document cannot
// hold (control characters other than tab, line feed and carriage return, unpaired
// surrogates, U+FFFE and U+FFFF) are left out: one of them would make the whole workbook
// unreadable.
void appendEscaped(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    // Each UTF-16 unit becomes at most five bytes ("&amp;"); the excess is cut off below.
    out.resize(start + 5 * text.size());
    char *p = out.data() + start;
    const char16_t *units = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i];
        if (c < 0x80) {
            if (c >= 0x20) {
                switch (c) {
                case u'&':
                    p = std::copy_n("&amp;", 5, p);
                    break;
                case u'<':
                    p = std::copy_n("&lt;", 4, p);
                    break;
                case u'>':
                    p = std::copy_n("&gt;", 4, p);
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
    out.resize(p - out.constData());
}

void appendCellStart(QByteArray &out, int column, qint64 row)
{
    out.append(R"(<c r=")");
    out.append(char(64 + column));
    appendInt(out, row);
    out.append(R"(" t="inlineStr"><is><t>)");
}

void appendCell(QByteArray &out, int column, qint64 row, QStringView text)
{
    appendCellStart(out, column, row);
    appendEscaped(out, text);
    out.append("</t></is></c>");
}

// to_chars is locale-independent and rounds as printf's "%.2f" does, from the exact binary
// value; its digits, point and sign need no escaping.
struct AmountDigits {
    explicit AmountDigits(double amount)
        : length(std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed, 2).ptr - text)
    {
    }
    QByteArrayView view() const { return {text, length}; }

    char text[400]; // the largest double has 309 integer digits
    qsizetype length;
};

void appendRowStart(QByteArray &out, qint64 row)
{
    out.append(R"(<row r=")");
    appendInt(out, row);
    out.append(R"(">)");
}

// The date texts of one local day are equal, and a sorted ledger visits its days one after
// another, so the text is made once per day rather than once per entry.
class DayTexts {
public:
    const QString &text(const QDateTime &date)
    {
        const qint64 msecs = date.toMSecsSinceEpoch();
        if (!date.isValid() || msecs < m_start || msecs >= m_end) {
            const DateInterval day = LocalCalendar::dayInterval(date);
            m_start = day.start.isValid() ? day.start.toMSecsSinceEpoch() : 0;
            m_end = day.end.isValid() ? day.end.toMSecsSinceEpoch() : 0;
            m_text = DateText::displayDate(date);
        }
        return m_text;
    }

private:
    qint64 m_start = 0;
    qint64 m_end = 0;
    QString m_text;
};

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
    return QString::fromLatin1(AmountDigits(amount).view());
}

QString XLSXExporter::cellXML(int column, int row, const QString &text)
{
    QByteArray out;
    appendCell(out, column, row, text);
    return QString::fromUtf8(out);
}

QByteArray XLSXExporter::sheetXML(std::span<const LedgerEntry> entries)
{
    const std::vector<std::size_t> order = newestFirst(entries);

    // About what a row takes beside its category and note, so the text grows in place.
    qsizetype estimate = 512;
    for (const LedgerEntry &entry : entries)
        estimate += 280 + 3 * (entry.category.size() + entry.note.size());
    QByteArray out;
    out.reserve(estimate);

    out.append(declaration);
    out.append('\n');
    out.append(sheetOpening);
    appendRowStart(out, 1);
    for (int column = 1; column <= 5; ++column)
        appendCell(out, column, 1, QStringView(headers[column - 1]));
    out.append("</row>");

    DayTexts days;
    const QString expense = EntryKinds::rawText(EntryKind::expense);
    const QString income = EntryKinds::rawText(EntryKind::income);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const LedgerEntry &entry = entries[order[i]];
        const qint64 row = qint64(i) + 2;
        appendRowStart(out, row);
        appendCell(out, 1, row, days.text(entry.date));
        appendCell(out, 2, row, entry.kind() == EntryKind::income ? income : expense);
        appendCell(out, 3, row, entry.category);
        appendCellStart(out, 4, row);
        out.append(AmountDigits(entry.amount).view());
        out.append("</t></is></c>");
        appendCell(out, 5, row, entry.note);
        out.append("</row>");
    }
    out.append(sheetClosing);
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
        *error = u"无法写入 %1：%2"_s.arg(QDir::toNativeSeparators(path), file.errorString());
    return written;
}

std::optional<QString> XLSXExporter::exportEntries(std::span<const LedgerEntry> entries, QString *error)
{
    return exportEntries(entries, QDir::tempPath(), error);
}

std::optional<QString> XLSXExporter::exportEntries(std::span<const LedgerEntry> entries,
                                                   const QString &folder, QString *error)
{
    const std::optional<QByteArray> bytes = workbook(entries, error);
    if (!bytes)
        return std::nullopt;
    const QString path = QDir(folder).filePath(fileName(Clock::now()));
    if (!writeAtomically(path, *bytes, error))
        return std::nullopt;
    return path;
}
