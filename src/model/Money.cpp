#include "Money.h"

#include <QHash>
#include <QLocale>

#include <unicode/numberformatter.h>

#include <cmath>
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

} // namespace

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
