// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvTable.h"

#include <QHash>

#include <utility>

namespace {

constexpr qsizetype sampleLines = 200;

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Past the line end at index (CR LF counts as one).
qsizetype skipLineEnd(QStringView text, qsizetype index)
{
    if (text.at(index) == u'\r' && index + 1 < text.size() && text.at(index + 1) == u'\n')
        return index + 2;
    return index + 1;
}

bool isBlankRecord(const QStringList &fields)
{
    for (const QString &field : fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
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
    ImportTable table;
    qsizetype at = 0;
    int line = 1;
    const qsizetype size = text.size();
    while (at < size) {
        TableRecord record;
        record.line = line;
        bool recordEnded = false;
        while (!recordEnded) {
            QString field;
            if (at < size && text.at(at) == u'"') {
                // A quoted field: find its closing quote first, so an unclosed one can be
                // taken as an ordinary character instead of swallowing the file.
                qsizetype close = at + 1;
                int breaks = 0;
                bool closed = false;
                while (close < size) {
                    const QChar c = text.at(close);
                    if (c == u'"') {
                        if (close + 1 < size && text.at(close + 1) == u'"') {
                            close += 2;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (c == u'\n' || (c == u'\r' && !(close + 1 < size && text.at(close + 1) == u'\n')))
                        ++breaks;
                    ++close;
                }
                if (closed) {
                    field.reserve(close - at - 1);
                    for (qsizetype i = at + 1; i < close; ++i) {
                        field += text.at(i);
                        if (text.at(i) == u'"')
                            ++i;
                    }
                    line += breaks;
                    at = close + 1;
                } else {
                    field += u'"';
                    ++at;
                }
            }
            // The unquoted part, or what follows a closing quote before the delimiter.
            const qsizetype start = at;
            while (at < size && text.at(at) != delimiter && !isLineEnd(text.at(at)))
                ++at;
            field += text.sliced(start, at - start);
            record.fields.append(std::move(field));
            if (at >= size) {
                recordEnded = true;
            } else if (text.at(at) == delimiter) {
                ++at;
            } else {
                at = skipLineEnd(text, at);
                ++line;
                recordEnded = true;
            }
        }
        if (!isBlankRecord(record.fields))
            table.records.push_back(std::move(record));
    }
    return table;
}
