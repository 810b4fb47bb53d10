// SPDX-License-Identifier: GPL-3.0-or-later
// The useful-life rule: only an optional sign and ASCII digits convert, the value is what
// those digits say, and "valid" is exactly "converts and is at least one".
#include "FuzzInput.h"

#include "model/LifeMonthsText.h"

#include <QRegularExpression>

#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const std::optional<qint64> value = LifeMonthsText::parse(text);

    static const QRegularExpression shape(u"^[+-]?[0-9]+$"_s);
    if (value && !shape.match(text).hasMatch())
        std::abort();
    if (value) {
        // The digits read back: the same number written plainly converts to the same value.
        const std::optional<qint64> back = LifeMonthsText::parse(QString::number(*value));
        if (!back || *back != *value)
            std::abort();
    }
    if (LifeMonthsText::valid(text).has_value() != (value && *value >= 1))
        std::abort();
    return 0;
}
