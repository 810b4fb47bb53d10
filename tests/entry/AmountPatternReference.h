// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "entry/NaturalLedgerParser.h"

#include <QRegularExpression>

#include <optional>

// The amount rule as a backtracking pattern: the reference the parser's one-pass scan must
// agree with on every sentence. Too slow on long blank runs to be the program's own.
inline std::optional<NaturalLedgerParser::AmountSpan> referenceAmountSpan(const QString &sentence)
{
    using namespace Qt::StringLiterals;
    static const QRegularExpression pattern(
        u"(?:¥|￥|人民币)?\\s*(\\d+(?:\\.\\d{1,2})?)\\s*(?:元|块|rmb|RMB)?"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = pattern.match(sentence);
    if (!match.hasMatch())
        return std::nullopt;
    return NaturalLedgerParser::AmountSpan{match.capturedStart(0), match.capturedEnd(0),
                                           match.capturedStart(1), match.capturedEnd(1)};
}
