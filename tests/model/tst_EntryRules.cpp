// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "model/EntryRules.h"

#include <QTest>

using namespace Qt::StringLiterals;

class EntryRulesTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void problem_data();
    void problem();
};

void EntryRulesTest::problem_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("category");
    QTest::addColumn<qint64>("date");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("accepted");

    const qint64 march2024 = 1'710'900'000'000;
    const auto row = [&](const char *name, double amount, const QString &kind, const QString &category,
                         qint64 date, const QString &note, bool accepted) {
        QTest::newRow(name) << amount << kind << category << date << note << accepted;
    };
    row("everyday expense", 32, u"支出"_s, u"餐饮"_s, march2024, u"午饭"_s, true);
    row("income", 8000, u"收入"_s, u"工资"_s, march2024, QString(), true);
    row("one cent", 0.01, u"支出"_s, u"餐饮"_s, march2024, QString(), true);
    row("below a cent", 0.009, u"支出"_s, u"餐饮"_s, march2024, QString(), false);
    row("largest amount", 999'999'999'999.99, u"收入"_s, u"工资"_s, march2024, QString(), true);
    row("a trillion", 1e12, u"收入"_s, u"工资"_s, march2024, QString(), false);
    row("infinite amount", qInf(), u"支出"_s, u"餐饮"_s, march2024, QString(), false);
    row("not a number", qQNaN(), u"支出"_s, u"餐饮"_s, march2024, QString(), false);
    row("unknown kind", 5, u"转账"_s, u"餐饮"_s, march2024, QString(), false);
    row("blank category", 5, u"支出"_s, QString(), march2024, QString(), false);
    row("unknown category", 5, u"支出"_s, u"午饭"_s, march2024, QString(), false);
    row("income category on an expense", 5, u"支出"_s, u"工资"_s, march2024, QString(), false);
    // The bounds written out as calendar instants, not taken from the rules themselves.
    const qint64 year1 = QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    const qint64 year10000 = QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    row("first instant of year 1", 5, u"支出"_s, u"餐饮"_s, year1, QString(), true);
    row("before year 1", 5, u"支出"_s, u"餐饮"_s, year1 - 1, QString(), false);
    row("last instant of 9999", 5, u"支出"_s, u"餐饮"_s, year10000 - 1, QString(), true);
    row("year 10000", 5, u"支出"_s, u"餐饮"_s, year10000, QString(), false);
    row("longest note", 5, u"支出"_s, u"餐饮"_s, march2024, QString(500, u'记'), true);
    row("note too long", 5, u"支出"_s, u"餐饮"_s, march2024, QString(501, u'记'), false);
}

void EntryRulesTest::problem()
{
    QFETCH(double, amount);
    QFETCH(QString, kind);
    QFETCH(QString, category);
    QFETCH(qint64, date);
    QFETCH(QString, note);
    QFETCH(bool, accepted);

    LedgerEntry entry(amount, QDateTime::fromMSecsSinceEpoch(date, Qt::UTC), EntryKind::expense, category,
                      note);
    entry.kindRaw = kind;
    const std::optional<QString> problem = EntryRules::problem(entry);
    QCOMPARE(!problem.has_value(), accepted);
    if (problem)
        QVERIFY(!problem->isEmpty());
}

PENNYLOOM_TEST(EntryRulesTest)
#include "tst_EntryRules.moc"
