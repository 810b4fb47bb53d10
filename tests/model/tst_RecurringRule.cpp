// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/RecurringRule.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QDate day(const QString &iso)
{
    const QDate d = QDate::fromString(iso, Qt::ISODate);
    if (!d.isValid())
        qFatal("bad day in a test table: %s", qPrintable(iso));
    return d;
}

// A rule from one line of a test table: "monthly 31 from 2024-01-31 until 2024-06-30",
// "weekly 3 from …", "yearly 2-29 from …", "days 3 from … times 4", "daily from …". A line
// that does not read stops the run, so a typo cannot pass as a rule without occurrences.
RecurringRule ruleFrom(const QString &line)
{
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    RecurringRule rule(25, EntryKind::expense, u"房租"_s, u"每月房租"_s, QDate());
    const auto fail = [&] {
        qFatal("bad rule in a test table: %s", qPrintable(line));
        return rule;
    };
    qsizetype at = 0;
    const QString repeat = words.value(at++);
    if (repeat == u"daily"_s) {
        rule.repeat = RecurringRule::Repeat::daily;
    } else if (repeat == u"weekly"_s) {
        rule.repeat = RecurringRule::Repeat::weekly;
        rule.weekday = words.value(at++).toInt();
    } else if (repeat == u"monthly"_s) {
        rule.repeat = RecurringRule::Repeat::monthly;
        rule.monthDay = words.value(at++).toInt();
    } else if (repeat == u"yearly"_s) {
        rule.repeat = RecurringRule::Repeat::yearly;
        const QStringList parts = words.value(at++).split(u'-');
        rule.month = parts.value(0).toInt();
        rule.monthDay = parts.value(1).toInt();
    } else if (repeat == u"days"_s) {
        rule.repeat = RecurringRule::Repeat::everyNDays;
        rule.interval = words.value(at++).toInt();
    } else {
        return fail();
    }
    for (; at + 1 < words.size(); at += 2) {
        const QString &word = words[at];
        if (word == u"from"_s)
            rule.firstDay = day(words[at + 1]);
        else if (word == u"until"_s)
            rule.lastDay = day(words[at + 1]);
        else if (word == u"times"_s)
            rule.count = words[at + 1].toInt();
        else if (word == u"at"_s)
            rule.timeOfDay = QTime::fromString(words[at + 1], u"HH:mm"_s);
        else
            return fail();
    }
    if (at != words.size() || !rule.firstDay.isValid())
        return fail();
    return rule;
}

QStringList texts(const std::vector<QDate> &days)
{
    QStringList out;
    for (const QDate &d : days)
        out.append(d.toString(Qt::ISODate));
    return out;
}

} // namespace

class RecurringRuleTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void occurrences_data();
    void occurrences();
    void instantKeepsWallClock_data();
    void instantKeepsWallClock();
    void manyInstantsAsOneByOne_data();
    void manyInstantsAsOneByOne();
    void describe_data();
    void describe();
    void problem_data();
    void problem();
};

void RecurringRuleTest::occurrences_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("expected");
    // nextOn(from); empty when the rule has ended.
    QTest::addColumn<QString>("next");

    const auto row = [](const char *name, const QString &rule, const QString &from, const QString &to,
                        const QStringList &expected, const QString &next) {
        QTest::newRow(name) << rule << from << to << expected << next;
    };
    row("daily from the first day", u"daily from 2024-02-27"_s, u"2024-02-01"_s, u"2024-03-01"_s,
        {u"2024-02-27"_s, u"2024-02-28"_s, u"2024-02-29"_s, u"2024-03-01"_s}, u"2024-02-27"_s);
    row("monthly on the 31st is each month's last day", u"monthly 31 from 2024-01-01"_s, u"2024-01-01"_s,
        u"2024-05-31"_s,
        {u"2024-01-31"_s, u"2024-02-29"_s, u"2024-03-31"_s, u"2024-04-30"_s, u"2024-05-31"_s},
        u"2024-01-31"_s);
    row("monthly on the 30th in a common February", u"monthly 30 from 2023-01-15"_s, u"2023-02-01"_s,
        u"2023-03-31"_s, {u"2023-02-28"_s, u"2023-03-30"_s}, u"2023-02-28"_s);
    row("started on the 31st, from April", u"monthly 31 from 2024-01-31"_s, u"2024-04-01"_s, u"2024-06-30"_s,
        {u"2024-04-30"_s, u"2024-05-31"_s, u"2024-06-30"_s}, u"2024-04-30"_s);
    row("started after this month's day: next month", u"monthly 1 from 2024-01-31"_s, u"2024-01-01"_s,
        u"2024-03-01"_s, {u"2024-02-01"_s, u"2024-03-01"_s}, u"2024-02-01"_s);
    row("started on the last day of a short month", u"monthly 31 from 2024-04-30"_s, u"2024-04-01"_s,
        u"2024-05-31"_s, {u"2024-04-30"_s, u"2024-05-31"_s}, u"2024-04-30"_s);
    row("monthly across a year", u"monthly 15 from 2023-11-20"_s, u"2023-11-01"_s, u"2024-02-14"_s,
        {u"2023-12-15"_s, u"2024-01-15"_s}, u"2023-12-15"_s);
    row("leap day falls on the 28th in other years", u"yearly 2-29 from 2023-03-01"_s, u"2023-01-01"_s,
        u"2028-12-31"_s,
        {u"2024-02-29"_s, u"2025-02-28"_s, u"2026-02-28"_s, u"2027-02-28"_s, u"2028-02-29"_s},
        u"2024-02-29"_s);
    row("yearly, this year's day still ahead", u"yearly 12-25 from 2024-12-01"_s, u"2024-12-26"_s,
        u"2026-01-01"_s, {u"2025-12-25"_s}, u"2025-12-25"_s);
    row("weekly on Wednesday from a Friday", u"weekly 3 from 2024-03-01"_s, u"2024-03-01"_s, u"2024-03-20"_s,
        {u"2024-03-06"_s, u"2024-03-13"_s, u"2024-03-20"_s}, u"2024-03-06"_s);
    row("weekly on the first day's weekday", u"weekly 5 from 2024-03-01"_s, u"2024-03-02"_s, u"2024-03-15"_s,
        {u"2024-03-08"_s, u"2024-03-15"_s}, u"2024-03-08"_s);
    row("every 3 days counts from the first day", u"days 3 from 2024-02-27"_s, u"2024-03-01"_s,
        u"2024-03-10"_s, {u"2024-03-01"_s, u"2024-03-04"_s, u"2024-03-07"_s, u"2024-03-10"_s},
        u"2024-03-01"_s);
    row("every 3 days, from between two", u"days 3 from 2024-02-27"_s, u"2024-03-02"_s, u"2024-03-05"_s,
        {u"2024-03-04"_s}, u"2024-03-04"_s);
    row("a count ends it", u"monthly 31 from 2024-01-31 times 3"_s, u"2024-01-01"_s, u"2024-12-31"_s,
        {u"2024-01-31"_s, u"2024-02-29"_s, u"2024-03-31"_s}, u"2024-01-31"_s);
    row("a count counts from the first day, not from the range", u"days 2 from 2024-01-01 times 4"_s,
        u"2024-01-04"_s, u"2024-12-31"_s, {u"2024-01-05"_s, u"2024-01-07"_s}, u"2024-01-05"_s);
    row("count used up before the range", u"weekly 1 from 2024-01-01 times 2"_s, u"2024-01-09"_s,
        u"2024-12-31"_s, {}, QString());
    row("the last day is included", u"daily from 2024-01-01 until 2024-01-03"_s, u"2023-12-01"_s,
        u"2024-12-31"_s, {u"2024-01-01"_s, u"2024-01-02"_s, u"2024-01-03"_s}, u"2024-01-01"_s);
    row("ended before the range", u"monthly 5 from 2024-01-01 until 2024-02-04"_s, u"2024-02-01"_s,
        u"2024-12-31"_s, {}, QString());
    row("range before the first day", u"daily from 2024-05-01"_s, u"2024-01-01"_s, u"2024-04-30"_s, {},
        u"2024-05-01"_s);
    row("range the wrong way round", u"daily from 2024-05-01"_s, u"2024-05-10"_s, u"2024-05-09"_s, {},
        u"2024-05-10"_s);
    row("nothing past year 9999", u"yearly 12-31 from 9998-06-01"_s, u"9998-01-01"_s, u"9999-12-31"_s,
        {u"9998-12-31"_s, u"9999-12-31"_s}, u"9998-12-31"_s);
}

void RecurringRuleTest::occurrences()
{
    QFETCH(QString, rule);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, expected);
    QFETCH(QString, next);
    const RecurringRule r = ruleFrom(rule);
    QVERIFY(!r.problem());
    QCOMPARE(texts(r.occurrences(day(from), day(to))), expected);
    const std::optional<QDate> found = r.nextOn(day(from));
    QCOMPARE(found ? found->toString(Qt::ISODate) : QString(), next);
}

void RecurringRuleTest::instantKeepsWallClock_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("day");
    // The instant in UTC, and the local time it reads as.
    QTest::addColumn<QString>("utc");
    QTest::addColumn<QString>("local");

    const QByteArray newYork = "America/New_York";
    const QByteArray berlin = "Europe/Berlin";
    QTest::newRow("New York, standard time")
        << newYork << u"daily from 2024-03-01 at 09:00"_s << u"2024-03-09"_s << u"2024-03-09T14:00:00Z"_s
        << u"2024-03-09T09:00:00"_s;
    QTest::newRow("New York, day of the spring change")
        << newYork << u"daily from 2024-03-01 at 09:00"_s << u"2024-03-10"_s << u"2024-03-10T13:00:00Z"_s
        << u"2024-03-10T09:00:00"_s;
    QTest::newRow("New York, skipped time moves forward by the gap")
        << newYork << u"daily from 2024-03-01 at 02:30"_s << u"2024-03-10"_s << u"2024-03-10T07:30:00Z"_s
        << u"2024-03-10T03:30:00"_s;
    QTest::newRow("New York, repeated time is the first")
        << newYork << u"daily from 2024-10-01 at 01:30"_s << u"2024-11-03"_s << u"2024-11-03T05:30:00Z"_s
        << u"2024-11-03T01:30:00"_s;
    QTest::newRow("New York, after the autumn change")
        << newYork << u"monthly 4 from 2024-10-01 at 09:00"_s << u"2024-11-04"_s << u"2024-11-04T14:00:00Z"_s
        << u"2024-11-04T09:00:00"_s;
    QTest::newRow("Berlin, skipped time moves forward by the gap")
        << berlin << u"weekly 7 from 2024-03-01 at 02:30"_s << u"2024-03-31"_s << u"2024-03-31T01:30:00Z"_s
        << u"2024-03-31T03:30:00"_s;
    QTest::newRow("Berlin, summer time")
        << berlin << u"weekly 7 from 2024-03-01 at 09:00"_s << u"2024-04-07"_s << u"2024-04-07T07:00:00Z"_s
        << u"2024-04-07T09:00:00"_s;
    QTest::newRow("Berlin, repeated time is the first")
        << berlin << u"daily from 2024-10-01 at 02:30"_s << u"2024-10-27"_s << u"2024-10-27T00:30:00Z"_s
        << u"2024-10-27T02:30:00"_s;
}

void RecurringRuleTest::instantKeepsWallClock()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, rule);
    QFETCH(QString, day);
    QFETCH(QString, utc);
    QFETCH(QString, local);
    TestSupport::ScopedTimeZone timeZone(zone);
    const RecurringRule r = ruleFrom(rule);
    const QDateTime instant = r.instantOn(::day(day));
    QCOMPARE(instant.toUTC(), QDateTime::fromString(utc, Qt::ISODate));
    QCOMPARE(instant.toLocalTime().toString(Qt::ISODate), local);
    // The entry written for the day carries that instant and the rule's own fields.
    const LedgerEntry entry = r.entryOn(::day(day), instant);
    QCOMPARE(entry.date, instant);
    QCOMPARE(entry.note, r.note);
}

void RecurringRuleTest::manyInstantsAsOneByOne_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("rule");
    // Eight years of days, each change of offset among them, at times the changes skip or
    // repeat and at times they leave alone.
    QTest::newRow("Shanghai, no changes")
        << QByteArray("Asia/Shanghai") << u"daily from 2019-01-01 at 00:00"_s;
    QTest::newRow("New York, skipped time")
        << QByteArray("America/New_York") << u"daily from 2019-01-01 at 02:30"_s;
    QTest::newRow("New York, repeated time")
        << QByteArray("America/New_York") << u"daily from 2019-01-01 at 01:30"_s;
    QTest::newRow("Berlin, midnight") << QByteArray("Europe/Berlin") << u"daily from 2019-01-01 at 00:00"_s;
    QTest::newRow("Lord Howe, half-hour changes")
        << QByteArray("Australia/Lord_Howe") << u"days 3 from 2019-01-01 at 01:45"_s;
    QTest::newRow("Dublin, winter is the change")
        << QByteArray("Europe/Dublin") << u"daily from 2019-01-01 at 01:15"_s;
}

void RecurringRuleTest::manyInstantsAsOneByOne()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, rule);
    TestSupport::ScopedTimeZone timeZone(zone);
    const RecurringRule r = ruleFrom(rule);
    const std::vector<QDate> days = r.occurrences(r.firstDay, ::day(u"2026-12-31"_s));
    const std::vector<QDateTime> instants = r.instantsOn(days);
    QCOMPARE(instants.size(), days.size());
    for (size_t i = 0; i < days.size(); ++i) {
        const QDateTime one = r.instantOn(days[i]);
        if (instants[i] != one || instants[i].toLocalTime().time() != one.toLocalTime().time())
            QFAIL(qPrintable(u"%1: %2 one by one, %3 at once"_s.arg(
                days[i].toString(Qt::ISODate), one.toString(Qt::ISODateWithMs),
                instants[i].toString(Qt::ISODateWithMs))));
    }
}

void RecurringRuleTest::describe_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("text");
    // The next occurrence as the sheet says it on 2024-03-01.
    QTest::addColumn<QString>("next");

    QTest::newRow("daily") << u"daily from 2024-01-01"_s << u"每天"_s << u"下次 2024年3月1日"_s;
    QTest::newRow("weekly") << u"weekly 3 from 2024-01-01"_s << u"每周三"_s << u"下次 2024年3月6日"_s;
    QTest::newRow("weekly on Sunday")
        << u"weekly 7 from 2024-01-01"_s << u"每周日"_s << u"下次 2024年3月3日"_s;
    QTest::newRow("monthly") << u"monthly 1 from 2024-01-01"_s << u"每月 1 日"_s << u"下次 2024年3月1日"_s;
    QTest::newRow("monthly on the 31st")
        << u"monthly 31 from 2024-01-01"_s << u"每月最后一天"_s << u"下次 2024年3月31日"_s;
    QTest::newRow("yearly on the leap day")
        << u"yearly 2-29 from 2024-01-01"_s << u"每年 2 月 29 日"_s << u"下次 2025年2月28日"_s;
    QTest::newRow("every 3 days") << u"days 3 from 2024-02-27"_s << u"每 3 天"_s << u"下次 2024年3月1日"_s;
    QTest::newRow("ended") << u"daily from 2024-01-01 times 3"_s << u"每天"_s << u"已结束"_s;
}

void RecurringRuleTest::describe()
{
    QFETCH(QString, rule);
    QFETCH(QString, text);
    QFETCH(QString, next);
    const RecurringRule r = ruleFrom(rule);
    QCOMPARE(r.describe(), text);
    QCOMPARE(r.nextText(day(u"2024-03-01"_s)), next);
}

void RecurringRuleTest::problem_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("monthly on the 31st") << u"monthly 31 from 2024-01-01"_s << 25.0 << true;
    QTest::newRow("yearly on the leap day") << u"yearly 2-29 from 2023-01-01"_s << 25.0 << true;
    QTest::newRow("every day as every 1 day") << u"days 1 from 2024-01-01"_s << 25.0 << true;
    QTest::newRow("no amount") << u"daily from 2024-01-01"_s << 0.0 << false;
    QTest::newRow("every 0 days") << u"days 0 from 2024-01-01"_s << 25.0 << false;
    QTest::newRow("day 32") << u"monthly 32 from 2024-01-01"_s << 25.0 << false;
    QTest::newRow("no 30 February") << u"yearly 2-30 from 2024-01-01"_s << 25.0 << false;
    QTest::newRow("no 31 April") << u"yearly 4-31 from 2024-01-01"_s << 25.0 << false;
    QTest::newRow("weekday 8") << u"weekly 8 from 2024-01-01"_s << 25.0 << false;
    QTest::newRow("last day before the first")
        << u"daily from 2024-01-02 until 2024-01-01"_s << 25.0 << false;
    QTest::newRow("no times") << u"daily from 2024-01-02 times 0"_s << 25.0 << false;
}

void RecurringRuleTest::problem()
{
    QFETCH(QString, rule);
    QFETCH(double, amount);
    QFETCH(bool, accepted);
    RecurringRule r = ruleFrom(rule);
    r.amount = amount;
    QCOMPARE(!r.problem().has_value(), accepted);
}

PENNYLOOM_TEST(RecurringRuleTest)
#include "tst_RecurringRule.moc"
