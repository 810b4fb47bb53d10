// SPDX-License-Identifier: GPL-3.0-or-later
// Writes through the store until it is killed: entries, and groups of records that belong
// together (a budget period, a goal with its deposits, an account with its adjustments)
// which it later removes in one go. Every change is acknowledged on stdout only after the
// store said it was done, so the test that kills this process knows what must have survived.
//
//   E <kind>:<id>                 one record saved
//   G <kind>:<id> <kind>:<id>...  a group saved (its first member names it)
//   d <id>                        removal of the group named <id> begins
//   D <id>                        that removal is done
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>

namespace {

struct Member {
    int kind;
    QUuid id;
};

QDateTime when(QRandomGenerator &random)
{
    return QDateTime::fromMSecsSinceEpoch(1700000000000 + qint64(random.bounded(1 << 30)) * 10, Qt::UTC);
}

void say(const char *tag, const QList<Member> &members)
{
    QByteArray line(tag);
    for (const Member &m : members)
        line += ' ' + QByteArray::number(m.kind) + ':' + m.id.toByteArray(QUuid::WithoutBraces);
    line += '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

[[noreturn]] void refused()
{
    std::fputs("F\n", stdout);
    std::fflush(stdout);
    std::exit(2);
}

template <class R> Member save(ModelStore &store, const R &record, int kind)
{
    if (!store.insert(record))
        refused();
    return {kind, record.id};
}

QList<Member> saveGroup(ModelStore &store, QRandomGenerator &random)
{
    QList<Member> group;
    const int size = 2 + random.bounded(4);
    switch (random.bounded(3)) {
    case 0: {
        const QDateTime start = when(random);
        for (int i = 0; i < size; ++i) {
            Budget budget(QStringLiteral("餐饮"), 100 + i, start);
            budget.periodStart = start;
            budget.periodEnd = start.addDays(30);
            group.append(save(store, budget, 1));
        }
        break;
    }
    case 1: {
        const SavingsGoal goal(QStringLiteral("旅行"), 5000, when(random));
        group.append(save(store, goal, 2));
        for (int i = 0; i < size; ++i)
            group.append(save(store, SavingsDeposit(goal.id, 10 + i, when(random), QStringLiteral("存")), 3));
        break;
    }
    default: {
        const AssetAccount account(QStringLiteral("银行卡"), QStringLiteral("储蓄"), QStringLiteral("资产"),
                                   100, when(random));
        group.append(save(store, account, 4));
        for (int i = 0; i < size; ++i)
            group.append(
                save(store, AssetAdjustment(account.id, i - 2, when(random), QStringLiteral("调")), 5));
        break;
    }
    }
    return group;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: store_crash_writer STORE SEED\n", stderr);
        return 1;
    }
    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(QString::fromLocal8Bit(argv[1]), &error);
    if (!store) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    QRandomGenerator random(quint32(std::strtoul(argv[2], nullptr, 10)));
    QList<QList<Member>> groups;
    for (;;) {
        const int action = random.bounded(6);
        if (action < 3) {
            const LedgerEntry entry(random.bounded(10000) / 100.0 + 0.01, when(random), EntryKind::expense,
                                    QStringLiteral("餐饮"), QStringLiteral("午饭"));
            say("E", {save(*store, entry, 0)});
        } else if (action < 5 || groups.isEmpty()) {
            groups.append(saveGroup(*store, random));
            say("G", groups.last());
        } else {
            const QList<Member> group = groups.takeAt(random.bounded(groups.size()));
            ModelStore::Removal removal;
            for (const Member &m : group) {
                switch (m.kind) {
                case 1:
                    removal.add<Budget>(m.id);
                    break;
                case 2:
                    removal.add<SavingsGoal>(m.id);
                    break;
                case 3:
                    removal.add<SavingsDeposit>(m.id);
                    break;
                case 4:
                    removal.add<AssetAccount>(m.id);
                    break;
                default:
                    removal.add<AssetAdjustment>(m.id);
                    break;
                }
            }
            say("d", {group.first()});
            if (!store->remove(removal))
                refused();
            say("D", {group.first()});
        }
    }
}
