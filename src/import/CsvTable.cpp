// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvTable.h"

#include <QHash>

#include <algorithm>

#include <utility>

namespace {

constexpr qsizetype sampleLines = 200;

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// A field is a quoted part (its doubled quotes not yet undone), if it has one, followed by
// the text after it up to the delimiter; an opening quote that is never closed is part of
// that text.
struct FieldSpan {
    qsizetype quotedBegin = -1;
    qsizetype quotedEnd = -1;
    qsizetype tailBegin = 0;
    qsizetype tailEnd = 0;
};

// Reads the record at `at` field by field, handing each to `field`; past its line end (counted
// in *line, as are the line breaks inside quoted fields), or end.
template <typename FieldSink>
qsizetype scanRecord(const char *data, qsizetype at, qsizetype end, char delimiter, int *line,
                     FieldSink &&field)
{
    for (;;) {
        FieldSpan span;
        if (at < end && data[at] == '"') {
            // A quoted field: find its closing quote first, so an unclosed one can be taken
            // as an ordinary character instead of swallowing the file.
            qsizetype close = at + 1;
            int breaks = 0;
            bool closed = false;
            while (close < end) {
                const char c = data[close];
                if (c == '"') {
                    if (close + 1 < end && data[close + 1] == '"') {
                        close += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                if (c == '\n' || (c == '\r' && !(close + 1 < end && data[close + 1] == '\n')))
                    ++breaks;
                ++close;
            }
            if (closed) {
                span.quotedBegin = at + 1;
                span.quotedEnd = close;
                *line += breaks;
                at = close + 1;
            }
        }
        span.tailBegin = at;
        while (at < end && data[at] != delimiter && data[at] != '\n' && data[at] != '\r')
            ++at;
        span.tailEnd = at;
        field(span);
        if (at >= end)
            return at;
        if (data[at] == delimiter) {
            ++at;
            continue;
        }
        at += data[at] == '\r' && at + 1 < end && data[at + 1] == '\n' ? 2 : 1;
        ++*line;
        return at;
    }
}

// Notes whether the bytes hold a character other than an ASCII space; bytes past ASCII may
// be spaces of their own (U+3000), which only the decoded text tells.
void noteContent(const char *from, const char *to, bool *filled, bool *unsure)
{
    for (const char *c = from; c < to; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte >= 0x80) {
            *unsure = true;
        } else if (byte != ' ' && (byte < '\t' || byte > '\r')) {
            *filled = true;
            return;
        }
    }
}

} // namespace

QChar CsvTable::detectDelimiter(QStringView text)
{
    const QChar candidates[] = {u',', u';', u'\t'};
    QChar best = u',';
    // Lines that agree on a count, then that count: of two delimiters that split the lines
    // equally regularly, the one giving more fields is the delimiter. The most frequent
    // character is no guide: a bank may put a tab after a quoted amount ("-1.00"<TAB>,HKD) or
    // quote amounts with grouping commas ("1,234.00"), so delimiters inside quotes are not
    // counted and a quoted field may run over several lines, as parse() reads them.
    std::pair<int, int> bestScore{0, 0};
    for (const QChar delimiter : candidates) {
        QHash<int, int> linesWithCount;
        qsizetype lines = 0;
        int count = 0;
        bool fieldStart = true;
        for (qsizetype i = 0; i < text.size() && lines < sampleLines; ++i) {
            const QChar c = text.at(i);
            if (fieldStart && c == u'"') {
                // A quoted field, when its quote closes; an unclosed one is an ordinary
                // character, as parse() takes it.
                qsizetype close = i + 1;
                while (close < text.size()) {
                    if (text.at(close) == u'"') {
                        if (close + 1 < text.size() && text.at(close + 1) == u'"') {
                            close += 2;
                            continue;
                        }
                        break;
                    }
                    ++close;
                }
                fieldStart = false;
                if (close < text.size())
                    i = close;
                continue;
            }
            fieldStart = false;
            if (c == delimiter) {
                ++count;
                fieldStart = true;
            } else if (isLineEnd(c)) {
                if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                    ++i;
                if (count > 0)
                    ++linesWithCount[count];
                count = 0;
                fieldStart = true;
                ++lines;
            }
        }
        if (count > 0)
            ++linesWithCount[count];
        std::pair<int, int> score{0, 0};
        for (auto it = linesWithCount.cbegin(); it != linesWithCount.cend(); ++it)
            score = std::max(score, std::pair<int, int>{it.value(), it.key()});
        if (score > bestScore) {
            bestScore = score;
            best = delimiter;
        }
    }
    return best;
}

ImportTable CsvTable::parse(QStringView text, QChar delimiter)
{
    const QByteArray utf8 = text.toUtf8();
    return parseUtf8(utf8, 0, utf8.size(), char(delimiter.unicode()));
}

ImportTable CsvTable::parseUtf8(const QByteArray &text, qsizetype begin, qsizetype end, char delimiter)
{
    ImportTable table;
    table.records.setText(text, end, delimiter);
    const char *data = text.constData();
    qsizetype at = begin;
    int line = 1;
    while (at < end) {
        const qsizetype start = at;
        const int startLine = line;
        // Whether the record is blank is told from its bytes; only a record whose sole
        // characters outside ASCII might be spaces (U+3000) is split to be sure.
        bool filled = false;
        bool unsure = false;
        at = scanRecord(data, at, end, delimiter, &line, [&](const FieldSpan &span) {
            if (!filled && span.quotedBegin >= 0)
                noteContent(data + span.quotedBegin, data + span.quotedEnd, &filled, &unsure);
            if (!filled)
                noteContent(data + span.tailBegin, data + span.tailEnd, &filled, &unsure);
        });
        if (!filled && unsure) {
            const QStringList fields = fieldsAt(text, start, end, delimiter);
            filled = std::any_of(fields.begin(), fields.end(),
                                 [](const QString &field) { return !field.trimmed().isEmpty(); });
        }
        if (filled)
            table.records.appendTextRecord(start, startLine);
    }
    return table;
}

QStringList CsvTable::fieldsAt(const QByteArray &text, qsizetype at, qsizetype end, char delimiter)
{
    QStringList fields;
    const char *data = text.constData();
    int line = 0;
    scanRecord(data, at, end, delimiter, &line, [&](const FieldSpan &span) {
        if (span.quotedBegin < 0) {
            fields.append(QString::fromUtf8(data + span.tailBegin, span.tailEnd - span.tailBegin));
            return;
        }
        QByteArray field;
        field.reserve(span.quotedEnd - span.quotedBegin + span.tailEnd - span.tailBegin);
        for (qsizetype i = span.quotedBegin; i < span.quotedEnd; ++i) {
            field += data[i];
            if (data[i] == '"')
                ++i;
        }
        field.append(data + span.tailBegin, span.tailEnd - span.tailBegin);
        fields.append(QString::fromUtf8(field));
    });
    return fields;
}

void CsvTable::shapeAt(const QByteArray &text, qsizetype at, qsizetype end, char delimiter, int *fields,
                       int *filled)
{
    *fields = 0;
    *filled = 0;
    const char *data = text.constData();
    int line = 0;
    scanRecord(data, at, end, delimiter, &line, [&](const FieldSpan &span) {
        ++*fields;
        bool content = false;
        bool unsure = false;
        if (span.quotedBegin >= 0)
            noteContent(data + span.quotedBegin, data + span.quotedEnd, &content, &unsure);
        if (!content)
            noteContent(data + span.tailBegin, data + span.tailEnd, &content, &unsure);
        if (!content && unsure) {
            // Only the decoded field tells whether its characters past ASCII are spaces.
            QByteArray field;
            if (span.quotedBegin >= 0)
                field.append(data + span.quotedBegin, span.quotedEnd - span.quotedBegin);
            field.append(data + span.tailBegin, span.tailEnd - span.tailBegin);
            content = !QString::fromUtf8(field).trimmed().isEmpty();
        }
        *filled += content ? 1 : 0;
    });
}
