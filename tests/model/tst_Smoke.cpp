#include "TestRegistry.h"

#include "model/Money.h"

#include <QTest>

class SmokeTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void money() { QCOMPARE(Money::text(1234.5), QStringLiteral("¥1,234.50")); }
};

PENNYLOOM_TEST(SmokeTest)
#include "tst_Smoke.moc"
