// SPDX-License-Identifier: GPL-3.0-or-later
#include "Money.h"

#include <QHash>
#include <QLocale>

#include <unicode/numberformatter.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>

namespace {

using icu::number::LocalizedNumberFormatter;

std::unique_ptr<LocalizedNumberFormatter> makeFormatter(const QString &localeName)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::CurrencyUnit yuan(u"CNY", status);
    if (U_FAILURE(status))
        return nullptr;
    return std::make_unique<LocalizedNumberFormatter>(
        icu::number::NumberFormatter::with()
            .unit(yuan)
            .precision(icu::number::Precision::fixedFraction(2))
            .roundingMode(UNUM_ROUND_HALFEVEN)
            .locale(icu::Locale(localeName.toUtf8().constData())));
}

// ICU formatters are costly to build, so one is kept per locale name; a change of the
// default locale picks (or builds) another one on the next call.
const LocalizedNumberFormatter *formatterFor(const QString &localeName)
{
    static std::mutex mutex;
    static QHash<QString, std::shared_ptr<LocalizedNumberFormatter>> cache;
    const std::lock_guard lock(mutex);
    auto it = cache.find(localeName);
    if (it == cache.end())
        it = cache.insert(localeName, std::shared_ptr<LocalizedNumberFormatter>(makeFormatter(localeName)));
    return it.value().get();
}

// Below this the amount in cents is an integer of at most 15 digits, and the product by 100
// lands where doubles are spaced by an eighth or less.
constexpr double quickAmountLimit = 1e13;

// "%.2f" rounds the exact binary value to the nearest cent, a tie to the even cent. The product
// by 100 is rounded once; fma gives exactly what that rounding dropped, which decides the
// only doubtful case, a product that came out exactly halfway between two cents.
std::uint64_t roundedCents(double amount)
{
    const double product = std::abs(amount) * 100.0;
    const double dropped = std::fma(std::abs(amount), 100.0, -product);
    const double nearest = std::nearbyint(product);
    const double off = product - nearest;
    if (std::abs(off) == 0.5 && dropped != 0 && (off > 0) == (dropped > 0))
        return std::uint64_t(nearest + 2 * off);
    return std::uint64_t(nearest);
}

} // namespace

char *Money::writeDecimal(char *out, double amount)
{
    // to_chars ignores the C locale and rounds the exact binary value as printf does; the quick
    // path below gives the same digits for everyday amounts without its cost.
    if (!(std::abs(amount) < quickAmountLimit))
        return std::to_chars(out, out + decimalRoom, amount, std::chars_format::fixed, 2).ptr;
    // The sign stays on an amount that rounds to zero, as printf keeps it: -0.001 is "-0.00".
    if (std::signbit(amount))
        *out++ = '-';
    const std::uint64_t cents = roundedCents(amount);
    out = std::to_chars(out, out + 24, cents / 100).ptr;
    *out++ = '.';
    *out++ = char('0' + cents % 100 / 10);
    *out++ = char('0' + cents % 10);
    return out;
}

QString Money::decimal(double amount)
{
    char text[decimalRoom];
    return QString::fromLatin1(text, writeDecimal(text, amount) - text);
}

QString Money::text(double amount)
{
    // An amount that rounds to zero cents is shown as zero, never as "-¥0.00": sums of doubles
    // such as 0.3 - 0.1 - 0.2 leave a tiny negative residue. Half a cent is a tie and rounds
    // to the even zero, so it belongs here too.
    if (std::isfinite(amount) && std::fabs(amount) <= 0.005)
        amount = 0.0;
    const LocalizedNumberFormatter *formatter = formatterFor(QLocale().name());
    if (formatter != nullptr) {
        UErrorCode status = U_ZERO_ERROR;
        const icu::UnicodeString formatted = formatter->formatDouble(amount, status).toString(status);
        if (U_SUCCESS(status))
            return QString(reinterpret_cast<const QChar *>(formatted.getBuffer()), formatted.length());
    }
    return QStringLiteral("¥%1").arg(amount, 0, 'f', 2);
}
