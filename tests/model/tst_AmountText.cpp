// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/AmountText.h"

#include <QLocale>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class AmountTextTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversion_data();
    void conversion();
};

void AmountTextTest::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("wholeCents");

    const auto accepted = [](const char *name, const QString &text, double value, bool wholeCents = true) {
        QTest::newRow(name) << text << true << value << wholeCents;
    };
    const auto refused = [](const char *name, const QString &text) {
        QTest::newRow(name) << text << false << 0.0 << true;
    };

    accepted("zero", u"0"_s, 0);
    accepted("zero with decimals", u"0.00"_s, 0);
    accepted("zero with exponent", u"0e5"_s, 0);
    accepted("integer", u"12"_s, 12);
    accepted("one decimal", u"12.5"_s, 12.5);
    accepted("leading point", u".5"_s, 0.5);
    accepted("trailing point", u"5."_s, 5);
    accepted("exponent", u"1e3"_s, 1000);
    accepted("capital exponent with plus", u"2.5E+2"_s, 250);
    accepted("negative exponent", u"125e-2"_s, 1.25);
    accepted("point then exponent", u"5.e1"_s, 50);
    accepted("leading zeros", u"0012.50"_s, 12.5);
    accepted("many decimals", u"3.14159"_s, 3.14159, false);
    accepted("third decimal", u"12.345"_s, 12.345, false);
    accepted("third decimal of a tie", u"1.005"_s, 1.005, false);
    accepted("a tenth of a cent above a cent", u"0.011"_s, 0.011, false);
    accepted("third decimal zero", u"12.340"_s, 12.34);
    accepted("cents by exponent", u"1234e-2"_s, 12.34);
    accepted("below the cent by exponent", u"12345e-3"_s, 12.345, false);
    accepted("largest amount past the cent", u"999999999999.989"_s, 999'999'999'999.989, false);
    accepted("smallest subnormal range", u"1e-320"_s, 1e-320);
    accepted("largest double", u"1.7976931348623157e308"_s, std::numeric_limits<double>::max());
    accepted("one cent", u"0.01"_s, 0.01);
    accepted("below a cent", u"0.009"_s, 0.009);
    accepted("largest amount", u"999999999999.99"_s, 999'999'999'999.99);
    accepted("a trillion", u"1e12"_s, 1e12);

    refused("empty", QString());
    refused("empty literal", u""_s);
    refused("lone point", u"."_s);
    refused("negative", u"-5"_s);
    refused("negative zero", u"-0"_s);
    refused("plus sign", u"+5"_s);
    refused("letters", u"abc"_s);
    refused("leading blank", u" 12"_s);
    refused("trailing blank", u"12 "_s);
    refused("trailing tab", u"12\t"_s);
    refused("trailing newline", u"12\n"_s);
    refused("no-break space", u"12\u00a0"_s);
    refused("blank inside", u"1 000"_s);
    refused("grouping comma", u"1,000"_s);
    refused("decimal comma", u"12,5"_s);
    refused("two points", u"1.2.3"_s);
    refused("exponent without digits", u"1e"_s);
    refused("exponent sign without digits", u"1e+"_s);
    refused("exponent without mantissa", u"e5"_s);
    refused("point and exponent only", u".e5"_s);
    refused("two exponents", u"1e2e3"_s);
    refused("two exponent signs", u"1e+-2"_s);
    refused("fractional exponent", u"1e2.5"_s);
    refused("inf", u"inf"_s);
    refused("INF", u"INF"_s);
    refused("nan", u"nan"_s);
    refused("NaN", u"NaN"_s);
    refused("infinity", u"infinity"_s);
    refused("Infinity", u"Infinity"_s);
    refused("overflow by exponent", u"1e400"_s);
    refused("overflow by digits", QString(400, u'9'));
    refused("underflow to zero", u"1e-400"_s);
    refused("hex", u"0x10"_s);
    refused("hex float", u"0x1p3"_s);
    refused("fullwidth digits", u"１２"_s);
    refused("fullwidth point", u"12．5"_s);
    refused("arabic-indic digits", u"١٢"_s);
    refused("yen sign", u"¥12"_s);
    refused("fullwidth yen sign", u"￥12"_s);
    refused("unit after digits", u"12元"_s);
    refused("nul inside", u"12"_s + QChar(u'\0'));
}

void AmountTextTest::conversion()
{
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(double, value);
    QFETCH(bool, wholeCents);

    const std::optional<double> parsed = AmountText::parse(text);
    QCOMPARE(parsed.has_value(), converts);
    if (converts)
        QCOMPARE(*parsed, value);

    // A cent up to just under a trillion yuan, in whole cents; 0 as well where zero is allowed.
    const bool positive = converts && wholeCents && value >= 0.01 && value <= 999'999'999'999.99;
    const bool nonNegative = converts && (value == 0 || positive);
    QCOMPARE(AmountText::positive(text).has_value(), positive);
    QCOMPARE(AmountText::isPositive(text), positive);
    QCOMPARE(AmountText::nonNegative(text).has_value(), nonNegative);
    QCOMPARE(AmountText::isNonNegative(text), nonNegative);
    if (positive)
        QCOMPARE(*AmountText::positive(text), value);
    if (nonNegative)
        QCOMPARE(*AmountText::nonNegative(text), value);

    // A locale with a decimal comma and point grouping changes nothing.
    const TestSupport::ScopedLocale german(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(AmountText::parse(text).has_value(), converts);
}

PENNYLOOM_TEST(AmountTextTest)
#include "tst_AmountText.moc"
