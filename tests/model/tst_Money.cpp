// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/AmountText.h"
#include "model/EntryRules.h"
#include "model/Money.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

QLocale chinaChinese()
{
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

// Amounts to hold against printf: how each is made from a random whole number.
enum AmountKind { wholeCents, nearHalfCents, eighths, anyDouble };

} // namespace

class MoneyTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chineseChina_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");

        QTest::newRow("zero") << 0.0 << u"¥0.00"_s;
        QTest::newRow("negative zero") << -0.0 << u"¥0.00"_s;
        QTest::newRow("whole number") << 3.0 << u"¥3.00"_s;
        QTest::newRow("one fraction digit") << 1234.5 << u"¥1,234.50"_s;
        QTest::newRow("just below grouping") << 999.99 << u"¥999.99"_s;
        QTest::newRow("first grouped") << 1000.0 << u"¥1,000.00"_s;
        QTest::newRow("negative") << -8.0 << u"-¥8.00"_s;
        QTest::newRow("negative grouped") << -1234.5 << u"-¥1,234.50"_s;
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << u"¥0.30"_s;

        // Exact binary ties: halves go to the even cent.
        QTest::newRow("tie 0.125 down") << 0.125 << u"¥0.12"_s;
        QTest::newRow("tie 0.375 up") << 0.375 << u"¥0.38"_s;
        QTest::newRow("tie 0.625 down") << 0.625 << u"¥0.62"_s;
        QTest::newRow("tie 0.875 up") << 0.875 << u"¥0.88"_s;
        QTest::newRow("tie 1024.125 down, grouped") << 1024.125 << u"¥1,024.12"_s;
        QTest::newRow("negative tie -0.125") << -0.125 << u"-¥0.12"_s;
        QTest::newRow("negative tie -0.375") << -0.375 << u"-¥0.38"_s;
        QTest::newRow("just above a tie") << 0.126 << u"¥0.13"_s;
        QTest::newRow("more than two digits") << 2.999 << u"¥3.00"_s;

        QTest::newRow("millions") << 1234567.891 << u"¥1,234,567.89"_s;
        QTest::newRow("negative millions") << -1234567.891 << u"-¥1,234,567.89"_s;
        QTest::newRow("billion") << 1e9 << u"¥1,000,000,000.00"_s;
        QTest::newRow("2^53") << 9007199254740992.0 << u"¥9,007,199,254,740,992.00"_s;

        // Amounts that round to zero cents never show a minus sign.
        QTest::newRow("0.3 - 0.1 - 0.2 residue") << 0.3 - 0.1 - 0.2 << u"¥0.00"_s;
        QTest::newRow("tiny positive") << 1e-12 << u"¥0.00"_s;
        QTest::newRow("-0.004") << -0.004 << u"¥0.00"_s;
        QTest::newRow("-0.005 ties to zero") << -0.005 << u"¥0.00"_s;
        QTest::newRow("0.005 ties to zero") << 0.005 << u"¥0.00"_s;
        QTest::newRow("-0.0051 rounds away") << -0.0051 << u"-¥0.01"_s;
        QTest::newRow("0.0051 rounds away") << 0.0051 << u"¥0.01"_s;
    }

    void chineseChina()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        TestSupport::ScopedLocale locale(chinaChinese());
        QCOMPARE(Money::text(amount), text);
    }

    void englishUnitedStates_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");

        // Outside China the yuan carries the country prefix.
        QTest::newRow("zero") << 0.0 << u"CN¥0.00"_s;
        QTest::newRow("whole number") << 3.0 << u"CN¥3.00"_s;
        QTest::newRow("grouped") << 1234567.891 << u"CN¥1,234,567.89"_s;
        QTest::newRow("negative") << -8.0 << u"-CN¥8.00"_s;
        QTest::newRow("tie") << 0.375 << u"CN¥0.38"_s;
        QTest::newRow("residue") << 0.3 - 0.1 - 0.2 << u"CN¥0.00"_s;
    }

    void englishUnitedStates()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        TestSupport::ScopedLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(Money::text(amount), text);
    }

    void followsDefaultLocaleAtEachCall()
    {
        TestSupport::ScopedLocale outer(chinaChinese());
        QCOMPARE(Money::text(1234.5), u"¥1,234.50"_s);
        {
            TestSupport::ScopedLocale inner(QLocale(QLocale::English, QLocale::UnitedStates));
            QCOMPARE(Money::text(1234.5), u"CN¥1,234.50"_s);
        }
        {
            // German groups with dots and writes the decimal comma, sign after the number.
            TestSupport::ScopedLocale inner(QLocale(QLocale::German, QLocale::Germany));
            const QString text = Money::text(1234.5);
            QVERIFY2(text.startsWith(u"1.234,50"), qPrintable(text));
            QVERIFY2(text.endsWith(u"¥"), qPrintable(text));
        }
        // Back to the first locale: its cached formatter serves again.
        QCOMPARE(Money::text(1234.5), u"¥1,234.50"_s);
        QCOMPARE(Money::text(-8), u"-¥8.00"_s);
    }

    void decimal_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");

        QTest::newRow("whole number") << 25.0 << u"25.00"_s;
        QTest::newRow("zero") << 0.0 << u"0.00"_s;
        QTest::newRow("negative zero") << -0.0 << u"-0.00"_s;
        QTest::newRow("one decimal") << 1234.5 << u"1234.50"_s;
        QTest::newRow("negative whole") << -3.0 << u"-3.00"_s;
        QTest::newRow("third decimal rounds up") << 3.456 << u"3.46"_s;
        QTest::newRow("rounding carries into the integer") << 99.999 << u"100.00"_s;
        QTest::newRow("no grouping") << 1234567.891 << u"1234567.89"_s;
        QTest::newRow("2.675 is stored below the half") << 2.675 << u"2.67"_s;
        QTest::newRow("1.005 is stored below the half") << 1.005 << u"1.00"_s;
        QTest::newRow("1.015 is stored below the half") << 1.015 << u"1.01"_s;
        QTest::newRow("0.005 is stored above the half") << 0.005 << u"0.01"_s;
        QTest::newRow("exact tie 0.125 goes to even") << 0.125 << u"0.12"_s;
        QTest::newRow("exact tie 0.375 goes to even") << 0.375 << u"0.38"_s;
        QTest::newRow("negative tie") << -0.125 << u"-0.12"_s;
        QTest::newRow("tie past 2^49") << 562949953421312.125 << u"562949953421312.12"_s;
        QTest::newRow("negative tie past 2^49") << -562949953421312.375 << u"-562949953421312.38"_s;
        QTest::newRow("tiny positive") << 1e-9 << u"0.00"_s;
        QTest::newRow("tiny negative keeps its sign") << -0.001 << u"-0.00"_s;
        QTest::newRow("smallest positive") << std::numeric_limits<double>::denorm_min() << u"0.00"_s;
        QTest::newRow("beyond exact cents") << 1e15 << u"1000000000000000.00"_s;
        QTest::newRow("large") << 1e17 << u"100000000000000000.00"_s;
        QTest::newRow("largest finite")
            << -std::numeric_limits<double>::max()
            << u"-179769313486231570814527423731704356798070567525844996598917476803157260780028538760589"
               u"5586327668781715404589535143824642343213268894641827684675467035375169860499105765512820"
               u"7624549009038932894407586850845513394230458323690322294816580855933212334827479782620414"
               u"4723168738177180919299881250404026184124858368.00"_s;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << u"inf"_s;
    }

    // The digits of the C library's "%.2f", whatever the user's locale; what an amount field is
    // filled with reads back through the field's own conversion.
    void decimal()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        QCOMPARE(Money::decimal(amount), text);
        char printed[400];
        std::snprintf(printed, sizeof printed, "%.2f", amount);
        QCOMPARE(text, QString::fromLatin1(printed));

        const TestSupport::ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Money::decimal(amount), text);
        if (!std::signbit(amount) && (amount == 0 || EntryRules::amountInRange(amount)))
            QVERIFY(AmountText::nonNegative(text).has_value());
    }

    void decimalAgreesWithPrintf_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("scale");
        QTest::newRow("whole cents") << int(wholeCents) << 1e4;
        QTest::newRow("near half cents") << int(nearHalfCents) << 1e6;
        QTest::newRow("exact eighths, ties in cents") << int(eighths) << 1e9;
        QTest::newRow("near half cents, large") << int(nearHalfCents) << 9e12;
        QTest::newRow("any double up to 10^14") << int(anyDouble) << 1e14;
    }

    // Many amounts of each kind, both signs, against the C library's "%.2f" itself.
    void decimalAgreesWithPrintf()
    {
        QFETCH(int, kind);
        QFETCH(double, scale);
        QRandomGenerator random(quint32(kind * 1000 + int(std::log10(scale))));
        char printed[64];
        for (int i = 0; i < 20000; ++i) {
            const double whole = std::floor(random.generateDouble() * scale);
            double amount = 0;
            switch (kind) {
            case wholeCents:
                amount = whole / 100;
                break;
            case nearHalfCents:
                amount = (2 * whole + 1) / 200;
                break;
            case eighths:
                amount = whole + double(random.bounded(8)) / 8;
                break;
            default:
                amount = random.generateDouble() * scale;
            }
            if (random.bounded(2))
                amount = -amount;
            std::snprintf(printed, sizeof printed, "%.2f", amount);
            QCOMPARE(Money::decimal(amount), QString::fromLatin1(printed));
        }
    }
};

PENNYLOOM_TEST(MoneyTest)
#include "tst_Money.moc"
