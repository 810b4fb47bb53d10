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
        entry.createdAt = date;
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
