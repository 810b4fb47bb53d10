// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfxMarkup.h"

#include <QSet>

#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Open {
    QString name;
    int line = 0;
    bool hasChildren = false;
};

bool isBlank(QStringView text)
{
    for (const QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

// "&amp;", "&#26085;", "&#x65E5;" and the like as their characters; anything else as written.
QString decoded(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype amp = text.indexOf(u'&', at);
        if (amp < 0) {
            out += text.sliced(at);
            break;
        }
        out += text.sliced(at, amp - at);
        const qsizetype semicolon = text.indexOf(u';', amp);
        const QStringView name =
            semicolon < 0 || semicolon - amp > 10 ? QStringView() : text.sliced(amp + 1, semicolon - amp - 1);
        std::optional<char32_t> character;
        if (name == u"amp")
            character = U'&';
        else if (name == u"lt")
            character = U'<';
        else if (name == u"gt")
            character = U'>';
        else if (name == u"quot")
            character = U'"';
        else if (name == u"apos")
            character = U'\'';
        else if (name == u"nbsp")
            character = U'\u00A0';
        else if (name.startsWith(u'#') && name.size() > 1) {
            bool ok = false;
            const uint value = name.startsWith(u"#x", Qt::CaseInsensitive) ? name.sliced(2).toUInt(&ok, 16)
                                                                           : name.sliced(1).toUInt(&ok, 10);
            if (ok && value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF))
                character = char32_t(value);
        }
        if (!character) {
            out += u'&';
            at = amp + 1;
            continue;
        }
        out += QString::fromUcs4(&*character, 1);
        at = semicolon + 1;
    }
    return out;
}

bool isName(QStringView name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'.' ||
              u == u'_' || u == u'-' || u == u':'))
            return false;
    }
    return true;
}

// Turns the elements into transactions as they close.
class Builder {
public:
    Builder(OfxReader::Statement *statement, QSet<QString> closed)
        : m_statement(statement), m_closed(std::move(closed))
    {
    }

    void start(const QString &name, int line);
    void end(const QString &name, int line);
    void text(QStringView text) { m_text += text; }
    void damage(int line, const QString &reason)
    {
        if (m_statement->damage.isEmpty()) {
            m_statement->damage = reason;
            m_statement->damageLine = line;
        }
        ++m_statement->damages;
    }
    void finish(int line);

private:
    // Pops the innermost element; byItsTag when its own end tag closed it. An element with
    // elements inside it that closes otherwise has lost its end tag.
    void pop(bool byItsTag);
    bool inside(QStringView name) const
    {
        for (const Open &open : m_stack) {
            if (open.name == name)
                return true;
        }
        return false;
    }

    OfxReader::Statement *m_statement;
    // The names that have an end tag somewhere in the body: aggregates, and in XML every element.
    // Any other element holds a value (perhaps none) and ends where the next tag starts.
    QSet<QString> m_closed;
    std::vector<Open> m_stack;
    QString m_text;
    std::optional<OfxReader::Transaction> m_transaction;
    QString m_account;
    size_t m_statementStart = 0;
};

void Builder::start(const QString &name, int line)
{
    // An SGML element that holds a value ends where the next tag starts.
    if (!m_stack.empty() && !m_stack.back().hasChildren &&
        (!isBlank(m_text) || !m_closed.contains(m_stack.back().name)))
        pop(false);
    if (name == u"STMTTRN" && m_transaction) {
        // Transactions do not nest: the one still open has lost its end tag.
        while (!m_stack.empty() && m_stack.back().name != u"STMTTRN")
            pop(false);
        if (!m_stack.empty())
            pop(false);
    }
    if (!m_stack.empty()) {
        m_stack.back().hasChildren = true;
        if (m_stack.back().name == u"INVTRANLIST")
            ++m_statement->investmentRecords;
    }
    if (name == u"STMTTRN" && !inside(u"INVSTMTRS")) {
        m_transaction = OfxReader::Transaction();
        m_transaction->line = line;
    } else if (name == u"STMTRS" || name == u"CCSTMTRS") {
        m_account.clear();
        m_statementStart = m_statement->transactions.size();
    }
    m_stack.push_back({name, line, false});
    m_text.clear();
}

void Builder::end(const QString &name, int line)
{
    auto match = m_stack.rbegin();
    while (match != m_stack.rend() && match->name != name)
        ++match;
    if (match == m_stack.rend()) {
        damage(line, u"第 %1 行的 </%2> 没有对应的开始标记"_s.arg(line).arg(name));
        return;
    }
    const size_t depth = static_cast<size_t>(m_stack.rend() - match);
    while (m_stack.size() > depth)
        pop(false);
    pop(true);
}

void Builder::pop(bool byItsTag)
{
    const Open open = std::move(m_stack.back());
    m_stack.pop_back();
    const QString value = m_text.trimmed();
    m_text.clear();
    if (open.hasChildren && !byItsTag)
        damage(open.line, u"第 %1 行的 <%2> 没有结束标记"_s.arg(open.line).arg(open.name));
    const QStringView parent = m_stack.empty() ? QStringView() : QStringView(m_stack.back().name);
    if (open.name == u"STMTTRN" && m_transaction && !inside(u"STMTTRN")) {
        m_transaction->accountId = m_account;
        m_statement->transactions.push_back(std::move(*m_transaction));
        m_transaction.reset();
        return;
    }
    if ((open.name == u"STMTRS" || open.name == u"CCSTMTRS") && !m_account.isEmpty()) {
        // Where the account comes after the transactions, they belong to it all the same.
        for (size_t i = m_statementStart; i < m_statement->transactions.size(); ++i) {
            if (m_statement->transactions[i].accountId.isEmpty())
                m_statement->transactions[i].accountId = m_account;
        }
        return;
    }
    if (open.hasChildren)
        return;
    if (open.name == u"ACCTID" && (parent == u"BANKACCTFROM" || parent == u"CCACCTFROM")) {
        m_account = value;
        return;
    }
    if (!m_transaction)
        return;
    if (open.name == u"DTPOSTED")
        m_transaction->posted = value;
    else if (open.name == u"TRNAMT")
        m_transaction->amount = value;
    else if (open.name == u"FITID")
        m_transaction->fitId = value;
    else if (open.name == u"NAME" && m_transaction->name.isEmpty())
        m_transaction->name = value;
    else if (open.name == u"MEMO")
        m_transaction->memo = value;
}

void Builder::finish(int line)
{
    if (m_stack.empty())
        return;
    const QString outermost = m_stack.front().name;
    if (m_transaction) {
        // Whatever the cut left of it may be only part of a name or an amount.
        OfxReader::Transaction cut = std::move(*m_transaction);
        m_transaction.reset();
        cut.fault = u"文件在第 %1 行结束，这笔交易不完整"_s.arg(line);
        m_statement->transactions.push_back(std::move(cut));
    }
    // One damage for the cut, not one for every element it leaves open.
    while (!m_stack.empty()) {
        m_stack.back().hasChildren = false;
        pop(false);
    }
    damage(line, u"文件在第 %1 行结束，<%2> 没有结束标记，文件可能不完整"_s.arg(line).arg(outermost));
}

// Every name that "</" introduces, in upper case.
QSet<QString> closedNames(QStringView body)
{
    // A statement has a few dozen names, each closed thousands of times: the distinct ones are
    // kept in a short list first, so a name is copied once.
    std::vector<QStringView> distinct;
    for (qsizetype at = body.indexOf(u"</"); at >= 0; at = body.indexOf(u"</", at + 2)) {
        qsizetype end = at + 2;
        while (end < body.size() && end - at < 64 && body.at(end) != u'>' && body.at(end) != u'<' &&
               !body.at(end).isSpace())
            ++end;
        const QStringView name = body.sliced(at + 2, end - at - 2);
        const auto known = std::find_if(distinct.begin(), distinct.end(), [name](QStringView seen) {
            return seen.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (known == distinct.end() && distinct.size() < 4096)
            distinct.push_back(name);
    }
    QSet<QString> names;
    for (const QStringView name : distinct)
        names.insert(name.toString().toUpper());
    return names;
}

} // namespace

void OfxMarkup::read(QStringView body, int firstLine, OfxReader::Statement *statement)
{
    Builder builder(statement, closedNames(body));
    int line = firstLine;
    qsizetype at = 0;
    const auto advance = [&](qsizetype to) {
        line += static_cast<int>(body.sliced(at, to - at).count(u'\n'));
        at = to;
    };
    while (at < body.size()) {
        const qsizetype open = body.indexOf(u'<', at);
        const qsizetype textEnd = open < 0 ? body.size() : open;
        if (textEnd > at)
            builder.text(QStringView(decoded(body.sliced(at, textEnd - at))));
        advance(textEnd);
        if (open < 0)
            break;
        const QStringView rest = body.sliced(open);
        // Markup that carries no element: skipped whole, or the text of a CDATA section.
        const auto skipTo = [&](QStringView closing, qsizetype from, bool isText) {
            const qsizetype close = body.indexOf(closing, open + from);
            if (close < 0) {
                builder.damage(line, u"第 %1 行的“%2”没有结束"_s.arg(line).arg(rest.first(from).toString()));
                advance(body.size());
                return;
            }
            if (isText)
                builder.text(body.sliced(open + from, close - open - from));
            advance(close + closing.size());
        };
        if (rest.startsWith(u"<!--")) {
            skipTo(u"-->", 4, false);
            continue;
        }
        if (rest.startsWith(u"<![CDATA[")) {
            skipTo(u"]]>", 9, true);
            continue;
        }
        if (rest.startsWith(u"<?")) {
            skipTo(u"?>", 2, false);
            continue;
        }
        if (rest.startsWith(u"<!")) {
            skipTo(u">", 2, false);
            continue;
        }
        const qsizetype close = body.indexOf(u'>', open + 1);
        const qsizetype nextOpen = body.indexOf(u'<', open + 1);
        if (close < 0 || (nextOpen >= 0 && nextOpen < close)) {
            builder.damage(line, u"第 %1 行的“<”不是完整的标记"_s.arg(line));
            if (close < 0) {
                advance(body.size());
                break;
            }
            builder.text(u"<");
            advance(open + 1);
            continue;
        }
        QStringView tag = body.sliced(open + 1, close - open - 1).trimmed();
        const bool isEnd = tag.startsWith(u'/');
        const bool isEmpty = !isEnd && tag.endsWith(u'/');
        if (isEnd)
            tag = tag.sliced(1);
        if (isEmpty)
            tag.chop(1);
        qsizetype nameEnd = 0;
        while (nameEnd < tag.size() && !tag.at(nameEnd).isSpace())
            ++nameEnd;
        const QStringView name = tag.first(nameEnd);
        if (!isName(name)) {
            builder.damage(
                line, u"第 %1 行的标记“%2”无法读取"_s.arg(line).arg(body.sliced(open, close - open + 1)));
        } else {
            const QString upper = name.toString().toUpper();
            if (!isEnd)
                builder.start(upper, line);
            if (isEnd || isEmpty)
                builder.end(upper, line);
        }
        advance(close + 1);
    }
    builder.finish(line);
}
