// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "app/OccurrenceCatchUp.h"
#include "model/RecurringRule.h"
#include "store/ModelStore.h"

#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

// When the running window looks at the clock again for due recurring entries.
class OccurrenceCatchUpTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void nextCheck_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("now");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("midnight before the hour is up")
            << u"Asia/Shanghai"_s << u"2024-04-10T23:30:00"_s << 1800ll;
        QTest::newRow("the rule's time first") << u"Asia/Shanghai"_s << u"2024-04-10T08:59:00"_s << 60ll;
        QTest::newRow("today's is due, an hour at most")
            << u"Asia/Shanghai"_s << u"2024-04-10T09:00:00"_s << 3600ll;
        // 02:30 does not happen that day; the rule's entry is at 03:30 EDT, 40 minutes after 01:50 EST.
        QTest::newRow("a skipped time moves on")
            << u"America/New_York"_s << u"2024-03-10T01:50:00"_s << 2400ll;
    }

    void nextCheck()
    {
        QFETCH(QString, zone);
        QFETCH(QString, now);
        QFETCH(qint64, seconds);
        TestSupport::ScopedTimeZone guard(zone.toUtf8());
        QVERIFY(openStore(TestSupport::at(now)));
        RecurringRule daily(12, EntryKind::expense, u"餐饮"_s, u"早餐"_s, QDate(2024, 3, 1));
        daily.repeat = RecurringRule::Repeat::daily;
        daily.timeOfDay = zone == u"America/New_York"_s ? QTime(2, 30) : QTime(9, 0);
        QVERIFY(m_store->insertRecurringRule(daily));
        OccurrenceCatchUp catchUp(*m_store);
        QCOMPARE(catchUp.msecsToNextCheck(TestSupport::at(now)), seconds * 1000);
        closeStore();
    }
};

PENNYLOOM_TEST(OccurrenceCatchUpTest)
#include "tst_OccurrenceCatchUp.moc"
