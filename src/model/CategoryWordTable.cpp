// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryWordTable.h"

#include "LedgerCategories.h"

#include <QFile>
#include <QStringList>
#include <QtDebug>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

CategoryWordTable loaded(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Built in: missing only from a broken build, where the program still files lines by
        // its keywords and the person's own books.
        qWarning("category table %s is missing", qPrintable(path));
        return {};
    }
    return CategoryWordTable::fromText(QString::fromUtf8(file.readAll()));
}

bool isLatinLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

struct Match {
    qsizetype at;
    qsizetype length;
    const QString *category;
};

} // namespace

const CategoryWordTable &CategoryWordTable::merchants()
{
    static const CategoryWordTable table = loaded(u":/categories/merchants.tsv"_s);
    return table;
}

const CategoryWordTable &CategoryWordTable::peerNames()
{
    static const CategoryWordTable table = loaded(u":/categories/peer-categories.tsv"_s);
    return table;
}

QString CategoryWordTable::normalisedName(const QString &name)
{
    QString text = name.toLower();
    text.replace(u'&', u" and "_s);
    for (QChar &c : text) {
        if (c.isPunct() && c != u'\'')
            c = u' ';
    }
    return text.simplified();
}

CategoryWordTable CategoryWordTable::fromText(const QString &text)
{
    CategoryWordTable table;
    const QStringList lines = text.split(u'\n');
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 3)
            continue;
        const QString kind = fields.at(0).trimmed();
        const QString category = fields.at(1).trimmed();
        const bool shield = category == u"-"_s;
        for (int s = 0; s < 2; ++s) {
            const EntryKind entryKind = s == 1 ? EntryKind::income : EntryKind::expense;
            if (kind != u"*"_s && kind != EntryKinds::rawText(entryKind))
                continue;
            if (!shield && !LedgerCategories::forKind(entryKind).contains(category))
                continue;
            for (const QString &word : fields.at(2).split(u'|', Qt::SkipEmptyParts)) {
                const QString key = word.toLower().simplified();
                if (!key.isEmpty())
                    table.m_words[s].insert(key, Word{shield ? QString() : category});
            }
        }
    }
    for (int s = 0; s < 2; ++s) {
        for (auto it = table.m_words[s].cbegin(); it != table.m_words[s].cend(); ++it) {
            std::vector<qsizetype> &lengths = table.m_lengths[s][it.key().at(0)];
            if (std::find(lengths.begin(), lengths.end(), it.key().size()) == lengths.end())
                lengths.push_back(it.key().size());
        }
        for (std::vector<qsizetype> &lengths : table.m_lengths[s])
            std::sort(lengths.begin(), lengths.end(), std::greater<>());
    }
    return table;
}

std::optional<QString> CategoryWordTable::findIn(const QString &text, EntryKind kind) const
{
    const int s = side(kind);
    const QHash<QString, Word> &words = m_words[s];
    if (words.isEmpty() || text.isEmpty())
        return std::nullopt;
    const QString lower = text.toLower();
    const qsizetype n = lower.size();
    std::vector<Match> matches;
    QString probe;
    for (qsizetype at = 0; at < n; ++at) {
        const auto starting = m_lengths[s].constFind(lower.at(at));
        if (starting == m_lengths[s].cend())
            continue;
        for (const qsizetype length : *starting) {
            if (at + length > n)
                continue;
            probe.setRawData(lower.constData() + at, length);
            const auto found = words.constFind(probe);
            if (found == words.cend())
                continue;
            // A Latin word is a whole word: "hp" is not in "shop".
            if (isLatinLetter(lower.at(at)) && at > 0 && isLatinLetter(lower.at(at - 1)))
                continue;
            if (isLatinLetter(lower.at(at + length - 1)) && at + length < n &&
                isLatinLetter(lower.at(at + length)))
                continue;
            matches.push_back({at, length, &found->category});
        }
    }
    const Match *best = nullptr;
    for (const Match &m : matches) {
        if (m.category->isEmpty())
            continue;
        const bool covered = std::any_of(matches.begin(), matches.end(), [&](const Match &other) {
            return other.length > m.length && other.at <= m.at && other.at + other.length >= m.at + m.length;
        });
        if (covered)
            continue;
        if (!best || m.length > best->length)
            best = &m;
    }
    if (!best)
        return std::nullopt;
    return *best->category;
}

std::optional<QString> CategoryWordTable::nameOf(const QString &name, EntryKind kind) const
{
    const QHash<QString, Word> &words = m_words[side(kind)];
    const QString key = normalisedName(name);
    if (key.isEmpty())
        return std::nullopt;
    const auto whole = words.constFind(key);
    if (whole != words.cend())
        return whole->category.isEmpty() ? std::nullopt : std::optional<QString>(whole->category);
    const QStringList parts = key.split(u' ');
    for (qsizetype length = parts.size() - 1; length >= 1; --length) {
        for (qsizetype first = parts.size() - length; first >= 0; --first) {
            const auto found = words.constFind(parts.mid(first, length).join(u' '));
            if (found != words.cend() && !found->category.isEmpty())
                return found->category;
        }
    }
    return std::nullopt;
}
