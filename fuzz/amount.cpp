// SPDX-License-Identifier: GPL-3.0-or-later
// The amount rule: only its documented shape converts, a converted value is finite, the
// positive and non-negative forms agree with it, the amount range and whole cents, and the field
// text of a value reads back.
#include "FuzzInput.h"

#include "model/AmountText.h"
#include "model/EntryRules.h"
#include "model/Money.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const std::optional<double> value = AmountText::parse(text);

    static const QRegularExpression shape(u"^(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"_s);
    if (value && (!std::isfinite(*value) || *value < 0 || !shape.match(text).hasMatch()))
        std::abort();
    // The forms take whole cents only: 12.345 is refused, 12.340 is 12.34.
    const bool cents = value && EntryRules::wholeCents(*value);
    const bool inRange = cents && EntryRules::amountInRange(*value);
    if (AmountText::positive(text).has_value() != inRange)
        std::abort();
    if (AmountText::nonNegative(text).has_value() != (inRange || (cents && *value == 0)))
        std::abort();

    if (value) {
        const QString field = Money::decimal(*value);
        const std::optional<double> back = AmountText::parse(field);
        if (!back || std::fabs(*back - *value) > 0.005 + std::fabs(*value) * 1e-15)
            std::abort();
    }
    return 0;
}
