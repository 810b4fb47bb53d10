// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableRecords.h"

#include "CsvTable.h"

#include <algorithm>

TableRecord TableRecords::operator[](size_t index) const
{
    if (!m_fromText)
        return m_kept[index];
    return {lineAt(index), CsvTable::fieldsAt(m_text, m_starts[index], m_end, m_delimiter)};
}

TableRecords::Shape TableRecords::shapeAt(size_t index) const
{
    Shape shape;
    if (!m_fromText) {
        const QStringList &fields = m_kept[index].fields;
        shape.fields = int(fields.size());
        shape.filled = int(std::count_if(fields.begin(), fields.end(),
                                         [](const QString &field) { return !field.trimmed().isEmpty(); }));
        return shape;
    }
    CsvTable::shapeAt(m_text, m_starts[index], m_end, m_delimiter, &shape.fields, &shape.filled);
    return shape;
}

int TableRecords::lineAt(size_t index) const
{
    if (!m_fromText)
        return m_kept[index].line;
    // The last mark at or before the record; the records after it follow line by line.
    const auto after = std::upper_bound(m_marks.begin(), m_marks.end(), index,
                                        [](size_t i, const LineMark &mark) { return i < mark.index; });
    const LineMark &mark = *(after - 1);
    return mark.line + int(index - mark.index);
}

void TableRecords::setText(QByteArray text, qsizetype end, char delimiter)
{
    m_kept.clear();
    m_fromText = true;
    m_text = std::move(text);
    m_end = end;
    m_delimiter = delimiter;
    m_starts.clear();
    m_marks.clear();
}

void TableRecords::appendTextRecord(qsizetype start, int line)
{
    const auto index = quint32(m_starts.size());
    if (m_marks.empty() || lineAt(index - 1) + 1 != line)
        m_marks.push_back({index, line});
    m_starts.push_back(quint32(start));
}

qsizetype TableRecords::heldBytes() const
{
    return m_text.capacity() + qsizetype(m_starts.capacity() * sizeof(quint32)) +
           qsizetype(m_marks.capacity() * sizeof(LineMark));
}
