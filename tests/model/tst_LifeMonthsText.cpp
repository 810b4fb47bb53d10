// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "model/LifeMonthsText.h"

#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<qint64>)

class LifeMonthsTextTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
};

void LifeMonthsTextTest::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("value");
    QTest::addColumn<bool>("valid");
    const std::optional<qint64> none;

    QTest::newRow("sixty") << u"60"_s << std::optional<qint64>(60) << true;
    QTest::newRow("one") << u"1"_s << std::optional<qint64>(1) << true;
    QTest::newRow("plus sign") << u"+12"_s << std::optional<qint64>(12) << true;
    QTest::newRow("leading zeros") << u"0012"_s << std::optional<qint64>(12) << true;
    QTest::newRow("zero") << u"0"_s << std::optional<qint64>(0) << false;
    QTest::newRow("minus zero") << u"-0"_s << std::optional<qint64>(0) << false;
    QTest::newRow("negative") << u"-5"_s << std::optional<qint64>(-5) << false;
    QTest::newRow("largest") << u"9223372036854775807"_s << std::optional<qint64>(9223372036854775807LL)
                             << true;
    QTest::newRow("one past the largest") << u"9223372036854775808"_s << none << false;
    QTest::newRow("smallest") << u"-9223372036854775808"_s
                              << std::optional<qint64>(std::numeric_limits<qint64>::min()) << false;
    QTest::newRow("one below the smallest") << u"-9223372036854775809"_s << none << false;
    QTest::newRow("far too long") << u"123456789012345678901234567890"_s << none << false;
    QTest::newRow("empty") << QString() << none << false;
    QTest::newRow("sign alone") << u"+"_s << none << false;
    QTest::newRow("two signs") << u"+-3"_s << none << false;
    QTest::newRow("decimal") << u"12.5"_s << none << false;
    QTest::newRow("whole decimal") << u"12.0"_s << none << false;
    QTest::newRow("exponent") << u"1e2"_s << none << false;
    QTest::newRow("leading blank") << u" 12"_s << none << false;
    QTest::newRow("trailing blank") << u"12 "_s << none << false;
    QTest::newRow("trailing line break") << u"12\n"_s << none << false;
    QTest::newRow("blank after sign") << u"+ 12"_s << none << false;
    QTest::newRow("grouping") << u"1,200"_s << none << false;
    QTest::newRow("full-width digits") << u"１２"_s << none << false;
    QTest::newRow("Arabic-Indic digits") << u"١٢"_s << none << false;
    QTest::newRow("hex") << u"0x10"_s << none << false;
    QTest::newRow("nul inside") << QString(u"1\0002"_s) << none << false;
    QTest::newRow("Chinese numeral") << u"十二"_s << none << false;
}

void LifeMonthsTextTest::parse()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, value);
    QFETCH(bool, valid);

    QCOMPARE(LifeMonthsText::parse(text), value);
    QCOMPARE(LifeMonthsText::isValid(text), valid);
    QCOMPARE(LifeMonthsText::valid(text), valid ? value : std::nullopt);
}

PENNYLOOM_TEST(LifeMonthsTextTest)

#include "tst_LifeMonthsText.moc"
