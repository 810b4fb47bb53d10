// SPDX-License-Identifier: GPL-3.0-or-later
#include "QifReader.h"

#include "ImportAmount.h"
#include "ImportCategorizer.h"
#include "QifDate.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Split {
    int line = 0;
    QString category;
    QString memo;
    QString amount;
};

struct Record {
    int line = 0;
    QString date;
    QString amount;
    QString payee;
    QString memo;
    QString category;
    std::vector<Split> splits;

    bool isEmpty() const { return line == 0; }
};

// The sections whose records are bills; the others are lists or investments.
bool isBillSection(const QString &section)
{
    for (const QStringView name : {u"Type:Bank", u"Type:Cash", u"Type:CCard", u"Type:Oth A", u"Type:Oth L"}) {
        if (section.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// "!Option:AutoSwitch" and "!Clear:AutoSwitch" switch how "!Account" records are meant; they
// start no section.
bool isOption(const QString &header)
{
    return header.startsWith(u"Option:", Qt::CaseInsensitive) ||
           header.startsWith(u"Clear:", Qt::CaseInsensitive);
}

// Grouped with dots and a decimal comma ("-1.234,56"), as files with day-first dates often are.
const QRegularExpression &decimalCommaPattern()
{
    static const QRegularExpression pattern(uR"(^\s*[-+]?\d{1,3}(\.\d{3})*,\d{1,2}\s*$)"_s);
    return pattern;
}

std::optional<qint64> amountOf(const QString &text)
{
    if (const std::optional<qint64> cents = ImportAmount::cents(text))
        return cents;
    if (!decimalCommaPattern().match(text).hasMatch())
        return std::nullopt;
    QString plain = text;
    plain.remove(u'.').replace(u',', u'.');
    return ImportAmount::cents(plain);
}

struct Parsed {
    std::vector<Record> records;
    std::vector<ImportSkippedSection> skipped;
    std::vector<ImportRowError> errors;
};

void countSkipped(Parsed *parsed, const QString &section)
{
    for (ImportSkippedSection &known : parsed->skipped) {
        if (known.section == section) {
            ++known.records;
            return;
        }
    }
    parsed->skipped.push_back({section, 1});
}

Parsed parse(const QString &text)
{
    Parsed parsed;
    QString section;
    bool bills = false;
    Record record;
    const auto close = [&] {
        if (record.isEmpty())
            return;
        if (bills)
            parsed.records.push_back(std::move(record));
        else
            countSkipped(&parsed, section);
        record = Record();
    };
    const auto unterminated = [&] {
        if (!record.isEmpty() && bills) {
            parsed.errors.push_back({record.line, u"这条记录没有以“^”结束，可能不完整"_s});
            record = Record();
        }
        close();
    };

    int lineNumber = 0;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        // No field starts with '#': such a line is a comment some programs write.
        if (line.trimmed().isEmpty() || line.front() == u'#')
            continue;
        const QChar code = line.front();
        const QString value = line.mid(1).trimmed().toString();
        if (code == u'!') {
            if (isOption(value))
                continue;
            unterminated();
            section = value;
            bills = isBillSection(section);
            continue;
        }
        if (code == u'^') {
            close();
            continue;
        }
        if (record.isEmpty())
            record.line = lineNumber;
        if (!bills)
            continue;
        switch (code.unicode()) {
        case u'D':
            record.date = value;
            break;
        case u'T':
            record.amount = value;
            break;
        case u'U':
            // The same amount as T, sometimes with more digits; T wins where both are there.
            if (record.amount.isEmpty())
                record.amount = value;
            break;
        case u'P':
            record.payee = value;
            break;
        case u'M':
            record.memo = value;
            break;
        case u'L':
            record.category = value;
            break;
        case u'S':
            record.splits.push_back({lineNumber, value, {}, {}});
            break;
        case u'E':
        case u'$':
            // A memo or amount before any split category starts a split of its own.
            if (record.splits.empty() || (code == u'E' ? !record.splits.back().memo.isEmpty()
                                                       : !record.splits.back().amount.isEmpty()))
                record.splits.push_back({lineNumber, {}, {}, {}});
            (code == u'E' ? record.splits.back().memo : record.splits.back().amount) = value;
            break;
        default:
            // N (number), C (cleared), A (address), % (split percent) and the like say
            // nothing an entry keeps.
            break;
        }
    }
    unterminated();
    return parsed;
}

// The name of our category comes from the file where the file's category is one of ours;
// each name is looked up once.
class QifRows {
public:
    QifRows(const ImportCategorizer &categorizer, ImportResult *result)
        : m_categorizer(categorizer), m_result(result)
    {
    }

    // A split's own memo ("50%") says which part of the payee's bill it is, so the note keeps
    // the payee before it: "Amazon · 50%".
    void add(const Record &record, const QDate &date, int line, const QString &category, const QString &memo,
             const QString &amountText, bool splitMemo = false)
    {
        if (category.startsWith(u'[')) {
            // A transfer between the user's own accounts is neither income nor expense.
            m_result->skipped.push_back({line, ImportSkipReason::neutral});
            return;
        }
        const std::optional<qint64> cents = amountOf(amountText);
        if (!cents) {
            m_result->errors.push_back(
                {line, amountText.isEmpty() ? u"缺少金额"_s : u"金额“%1”无法读取"_s.arg(amountText)});
            return;
        }
        if (*cents == 0) {
            m_result->skipped.push_back({line, ImportSkipReason::neutral});
            return;
        }
        ImportRow row;
        row.source = ImportSource::qif;
        row.line = line;
        row.time = QDateTime(date, QTime(12, 0));
        row.kind = *cents < 0 ? EntryKind::expense : EntryKind::income;
        row.cents = *cents < 0 ? -*cents : *cents;
        row.counterparty = record.payee;
        row.merchandise = memo;
        row.sourceCategory = category;
        if (memo.isEmpty())
            row.note = record.payee;
        else if (splitMemo && !record.payee.isEmpty() && !memo.contains(record.payee))
            row.note = record.payee + u" · "_s + memo;
        else
            row.note = memo;
        row.category = categoryOf(row);
        m_result->rows.push_back(std::move(row));
    }

private:
    QString categoryOf(const ImportRow &row)
    {
        const QString sign = row.kind == EntryKind::income ? u"+"_s : u"-"_s;
        const QString fileKey = row.sourceCategory + sign;
        auto file = m_fileCategories.constFind(fileKey);
        if (file == m_fileCategories.cend())
            file = m_fileCategories.insert(fileKey, m_categorizer.fileCategory(row.sourceCategory, row.kind));
        if (file.value())
            return *file.value();
        if (!row.sourceCategory.isEmpty() && !m_unmatched.contains(row.sourceCategory)) {
            m_unmatched.insert(row.sourceCategory);
            m_result->unmatchedCategories.append(row.sourceCategory);
        }
        const QString key = row.merchandise + QChar(0x1f) + row.counterparty + QChar(0x1f) + fileKey;
        auto known = m_categories.constFind(key);
        if (known == m_categories.cend())
            known = m_categories.insert(key, m_categorizer.categoryFor(row));
        return known.value();
    }

    const ImportCategorizer &m_categorizer;
    ImportResult *m_result;
    QHash<QString, std::optional<QString>> m_fileCategories;
    QHash<QString, QString> m_categories;
    QSet<QString> m_unmatched;
};

} // namespace

bool QifReader::looksLikeQif(const QByteArray &bytes)
{
    QByteArrayView start(bytes);
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.sliced(3);
    start = start.trimmed();
    // Some programs put a comment or two before the first section line.
    while (start.startsWith('#')) {
        const qsizetype end = start.indexOf('\n');
        start = end < 0 ? QByteArrayView() : start.sliced(end + 1).trimmed();
    }
    if (!start.startsWith('!'))
        return false;
    const QByteArray word = start.sliced(1, std::min<qsizetype>(start.size() - 1, 8)).toByteArray().toLower();
    return word.startsWith("type:") || word.startsWith("account") || word.startsWith("option:") ||
           word.startsWith("clear:");
}

bool QifReader::looksLikeHeaderlessQif(const QString &text)
{
    static const QRegularExpression firstField(uR"(^\s*[DT][-+0-9 ])"_s);
    static const QRegularExpression end(uR"(^\^\s*$)"_s, QRegularExpression::MultilineOption);
    return firstField.match(text).hasMatch() && end.match(text).hasMatch();
}

void QifReader::read(const QString &text, const ImportCategorizer &categorizer, ImportDateOrder order,
                     ImportResult *result)
{
    Parsed parsed = parse(text);
    result->errors = std::move(parsed.errors);
    result->skippedSections = std::move(parsed.skipped);

    // A file has many records a day: each date text is read once.
    QHash<QString, QDate> dates;
    for (const Record &record : parsed.records)
        dates.insert(record.date, QDate());
    const ImportDateOrder fileOrder = QifDate::orderOf(dates.keys(), &result->dateOrderAmbiguous);
    result->dateOrder = order == ImportDateOrder::automatic ? fileOrder : order;
    for (auto it = dates.begin(); it != dates.end(); ++it)
        it.value() = QifDate::parse(it.key(), result->dateOrder);

    result->rows.reserve(parsed.records.size());
    QifRows rows(categorizer, result);
    for (const Record &record : parsed.records) {
        const QDate date = dates.value(record.date);
        if (!date.isValid()) {
            result->errors.push_back({record.line, record.date.isEmpty()
                                                       ? u"缺少日期"_s
                                                       : u"日期“%1”无法读取"_s.arg(record.date)});
            continue;
        }
        if (record.splits.empty()) {
            rows.add(record, date, record.line, record.category, record.memo, record.amount);
            continue;
        }
        for (const Split &split : record.splits)
            rows.add(record, date, split.line, split.category,
                     split.memo.isEmpty() ? record.memo : split.memo, split.amount, !split.memo.isEmpty());
    }
    // Errors of records come before those of their dates; the sheet lists them by line.
    std::stable_sort(result->errors.begin(), result->errors.end(),
                     [](const ImportRowError &a, const ImportRowError &b) { return a.line < b.line; });
}
