// SPDX-License-Identifier: GPL-3.0-or-later
#include "LedgerGenerator.h"

#include "model/LedgerCategories.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"
#include "store/StoreSchema.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

const QStringList &notes()
{
    static const QStringList list{
        u"午饭"_s,     u"早餐"_s,   u"晚饭和同事"_s, u"地铁"_s,     u"打车回家"_s,     u"超市"_s,
        u"水果"_s,     u"咖啡"_s,   u"奶茶"_s,       u"电费"_s,     u"话费充值"_s,     u"房租"_s,
        u"买书"_s,     u"电影票"_s, u"健身卡"_s,     u"网购 T恤"_s, u"Coffee beans"_s, u"药店"_s,
        u"理发"_s,     u"加油"_s,   u"停车费"_s,     u"生日礼物"_s, u"工资"_s,         u"奖金"_s,
        u"理财收益"_s, u"报销"_s,   u"兼职稿费"_s,   u"红包"_s,     u"二手转卖"_s,     u"外卖"_s};
    return list;
}

void writeEntries(SqliteDatabase &db, int n, const QDateTime &endOfData)
{
    using Table = StoreSchema::Table<LedgerEntry>;
    SqliteStatement insert(db, StoreSchema::insertSql({Table::name, Table::columns}));
    QRandomGenerator random(42);
    const qint64 end = endOfData.toMSecsSinceEpoch();
    const qint64 span = qint64(10) * 365 * 24 * 3600 * 1000;
    const QStringList &expenses = LedgerCategories::expenses();
    const QStringList &incomes = LedgerCategories::incomes();
    std::vector<LedgerEntry> entries;
    entries.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const bool income = random.bounded(10) == 0;
        const QStringList &categories = income ? incomes : expenses;
        // Mostly small sums with a long tail: e^U(0, 6.5) yuan, incomes ten times larger.
        const double amount =
            std::round(std::exp(random.generateDouble() * 6.5) * (income ? 1000 : 100)) / 100.0;
        const QDateTime date =
            QDateTime::fromMSecsSinceEpoch(end - static_cast<qint64>(random.generateDouble() * span));
        const QString note = random.bounded(3) == 0 ? QString() : notes().at(random.bounded(notes().size()));
        LedgerEntry entry(amount, date, income ? EntryKind::income : EntryKind::expense,
                          categories.at(random.bounded(static_cast<int>(categories.size()))), note);
        // Most entries are written down the day they happen; one in five a few days later.
        const qint64 late =
            random.bounded(5) == 0 ? static_cast<qint64>(random.generateDouble() * 3 * 86400000) : 0;
        entry.createdAt = QDateTime::fromMSecsSinceEpoch(std::min(end, date.toMSecsSinceEpoch() + late));
        entries.push_back(std::move(entry));
    }
    // Stored in the order they were written down, as the program stores them.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LedgerEntry &a, const LedgerEntry &b) { return a.createdAt < b.createdAt; });
    for (const LedgerEntry &entry : entries) {
        Table::bind(insert, entry);
        insert.run();
    }
}

void writeBudgets(SqliteDatabase &db, const QDateTime &endOfData)
{
    using Table = StoreSchema::Table<Budget>;
    SqliteStatement insert(db, StoreSchema::insertSql({Table::name, Table::columns}));
    const QStringList categories{u"餐饮"_s, u"交通"_s, u"购物"_s, u"娱乐"_s, u"居家"_s};
    const QDateTime &end = endOfData;
    // Periods from the 15th to the 14th for the last twelve months, the last one covering
    // the end of the data.
    for (int back = 11; back >= 0; --back) {
        const QDate start = QDate(end.date().year(), end.date().month(), 15).addMonths(-back);
        for (int c = 0; c < categories.size(); ++c) {
            Budget budget(categories.at(c), 500.0 * (c + 1), LocalCalendar::startOfDay(start),
                          LocalCalendar::startOfDay(start),
                          LocalCalendar::startOfDay(start.addMonths(1).addDays(-1)));
            Table::bind(insert, budget);
            insert.run();
        }
    }
    for (int back = 13; back <= 15; ++back) {
        Budget budget(u"餐饮"_s, 1500, end.addMonths(-back));
        Table::bind(insert, budget);
        insert.run();
    }
}

template <class R> void writeRecord(SqliteStatement &insert, const R &record)
{
    StoreSchema::Table<R>::bind(insert, record);
    insert.run();
}

template <class R> SqliteStatement inserter(SqliteDatabase &db)
{
    using Table = StoreSchema::Table<R>;
    return SqliteStatement(db, StoreSchema::insertSql({Table::name, Table::columns}));
}

// Goals opened over the years, each with a deposit about every month until it was reached
// or until the end of the data; the newer ones are still open.
void writeSavings(SqliteDatabase &db, const QDateTime &end, QRandomGenerator &random)
{
    SqliteStatement goals = inserter<SavingsGoal>(db);
    SqliteStatement deposits = inserter<SavingsDeposit>(db);
    const QStringList names{u"旅行基金"_s, u"应急备用金"_s, u"新电脑"_s, u"首付"_s,
                            u"婚礼"_s,     u"孩子教育"_s,   u"换车"_s};
    for (int g = 0; g < names.size(); ++g) {
        const QDateTime opened = end.addMonths(-(g * 17 + 3));
        SavingsGoal goal(names.at(g), 5000.0 * (g + 1) * (g + 1), opened.addMonths(24));
        goal.createdAt = opened;
        writeRecord(goals, goal);
        double saved = 0;
        for (QDateTime day = opened.addDays(3); day < end && saved < goal.targetAmount;
             day = day.addMonths(1)) {
            const double amount = std::round(goal.targetAmount / 20 * (0.5 + random.generateDouble()));
            saved += amount;
            writeRecord(deposits,
                        SavingsDeposit(goal.id, amount, day, random.bounded(2) ? u"工资结余"_s : QString()));
        }
    }
}

// Accounts of every dimension the assets workspace offers, each with amount changes over
// its life: one change per hundred entries, spread over the accounts.
void writeAssets(SqliteDatabase &db, int n, const QDateTime &end, QRandomGenerator &random)
{
    SqliteStatement accounts = inserter<AssetAccount>(db);
    SqliteStatement adjustments = inserter<AssetAdjustment>(db);
    struct Kind {
        QString name, kind, dimension;
        double opening;
    };
    const std::vector<Kind> kinds{
        {u"钱包"_s, u"现金"_s, u"自有资产"_s, 800},
        {u"工资卡"_s, u"招商银行储蓄卡"_s, u"自有资产"_s, 25000},
        {u"备用卡"_s, u"工商银行储蓄卡"_s, u"自有资产"_s, 6000},
        {u"微信零钱"_s, u"微信"_s, u"自有资产"_s, 1200},
        {u"支付宝"_s, u"支付宝"_s, u"自有资产"_s, 3400},
        {u"基金账户"_s, u"同花顺"_s, u"自有资产"_s, 50000},
        {u"招行信用卡"_s, u"招商银行信用卡"_s, u"可借用资产"_s, 30000},
        {u"建行信用卡"_s, u"建设银行信用卡"_s, u"可借用资产"_s, 15000},
        {u"房贷"_s, u"房贷"_s, u"负债"_s, 800000},
        {u"车贷"_s, u"车贷"_s, u"负债"_s, 120000},
        {u"借朋友的钱"_s, u"亲友借款"_s, u"负债"_s, 5000},
    };
    const qint64 span = qint64(10) * 365 * 24 * 3600 * 1000;
    const qint64 last = end.toMSecsSinceEpoch();
    std::vector<QUuid> ids;
    for (size_t k = 0; k < kinds.size(); ++k) {
        const QDateTime created = end.addYears(-10).addDays(static_cast<qint64>(k) * 30);
        AssetAccount account(kinds[k].name, kinds[k].kind, kinds[k].dimension, kinds[k].opening, created);
        writeRecord(accounts, account);
        ids.push_back(account.id);
    }
    const int changes = std::max(50, n / 100);
    const QStringList notes{u"工资入账"_s, u"还款"_s, u"转账"_s, u"消费"_s, QString()};
    for (int i = 0; i < changes; ++i) {
        const size_t k = random.bounded(static_cast<quint32>(kinds.size()));
        const bool liability = kinds[k].dimension == u"负债"_s;
        const double amount =
            std::round((random.generateDouble() - (liability ? 1.0 : 0.45)) * kinds[k].opening / 10);
        const QDateTime date =
            QDateTime::fromMSecsSinceEpoch(last - static_cast<qint64>(random.generateDouble() * span * 0.95));
        writeRecord(adjustments,
                    AssetAdjustment(ids[k], amount, date, notes.at(random.bounded(notes.size()))));
    }
}

// Things owned, bought over the years, of every register category.
void writeFixedAssets(SqliteDatabase &db, const QDateTime &end)
{
    SqliteStatement insert = inserter<FixedAsset>(db);
    struct Item {
        QString category, name;
        double value;
        qint64 months, ageMonths;
    };
    const std::vector<Item> items{
        {u"房产"_s, u"自住房"_s, 2800000, 840, 96},     {u"车辆"_s, u"家用轿车"_s, 150000, 120, 40},
        {u"电子设备"_s, u"笔记本电脑"_s, 9000, 48, 18}, {u"电子设备"_s, u"手机"_s, 6000, 36, 7},
        {u"家具家电"_s, u"冰箱"_s, 4500, 120, 60},      {u"家具家电"_s, u"沙发"_s, 7000, 96, 30},
        {u"珠宝首饰"_s, u"金手镯"_s, 12000, 600, 80},   {u"收藏品"_s, u"邮票册"_s, 3000, 600, 110},
        {u"摄影器材"_s, u"相机"_s, 15000, 72, 26},      {u"运动器材"_s, u"公路自行车"_s, 8000, 60, 14},
        {u"其他"_s, u"乐器"_s, 5000, 120, 50},
    };
    for (const Item &item : items) {
        FixedAsset asset(item.category, item.name, item.value, end.addMonths(-item.ageMonths), item.months);
        asset.createdAt = end.addMonths(-item.ageMonths);
        writeRecord(insert, asset);
    }
}

} // namespace

QDateTime LedgerGenerator::endOfData()
{
    return LocalCalendar::startOfDay(QDate(2026, 3, 20)).addSecs(18 * 3600);
}

bool LedgerGenerator::write(const QString &path, int n, const QDateTime &end, QString *error)
{
    if (!ModelStore::open(path, error)) // creates the schema
        return false;
    SqliteDatabase db;
    if (!db.open(path) || !db.exec("BEGIN")) {
        *error = db.lastError();
        return false;
    }
    writeEntries(db, n, end);
    writeBudgets(db, end);
    QRandomGenerator random(7);
    writeSavings(db, end, random);
    writeAssets(db, n, end, random);
    writeFixedAssets(db, end);
    if (!db.exec("COMMIT")) {
        *error = db.lastError();
        return false;
    }
    return true;
}

QString LedgerGenerator::storeWith(int n, bool copy)
{
    static std::map<int, QString> made;
    auto it = made.find(n);
    if (it == made.end()) {
        const QString path = workDir().filePath(u"entries-%1.sqlite"_s.arg(n));
        QString error;
        if (!write(path, n, endOfData(), &error))
            qFatal("%s", qPrintable(error));
        it = made.emplace(n, path).first;
    }
    if (!copy)
        return it->second;
    static int copies = 0;
    const QString path = workDir().filePath(u"copy-%1.sqlite"_s.arg(++copies));
    QFile::copy(it->second, path);
    return path;
}
