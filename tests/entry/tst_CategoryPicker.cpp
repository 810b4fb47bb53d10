// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "entry/AddEntryView.h"
#include "entry/CategoryListModel.h"
#include "entry/CategoryPicker.h"
#include "model/LedgerCategories.h"
#include "store/ModelStore.h"
#include "ui/CategoryAccent.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The rows whose SelectedRole is true.
QList<int> selectedRows(const CategoryListModel &model)
{
    QList<int> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row).data(CategoryListModel::SelectedRole).toBool())
            rows.append(row);
    }
    return rows;
}

// Clicks the middle of a category's tile, scrolling it into view first.
bool clickTile(CategoryPicker &picker, const QString &name)
{
    const int row = static_cast<int>(picker.categoryModel()->categories().indexOf(name));
    if (row < 0)
        return false;
    picker.scrollTo(picker.categoryModel()->index(row));
    const QRect tile = picker.tileRect(name);
    if (tile.isEmpty() || !picker.viewport()->rect().contains(tile.center()))
        return false;
    QTest::mouseClick(picker.viewport(), Qt::LeftButton, {}, tile.center());
    return true;
}

} // namespace

class CategoryPickerTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void accentIndex_data();
    void accentIndex();
    void selectionOutsideList_data();
    void selectionOutsideList();
    void emptyList();
    void clickSelectsTile();
    void clickOnSelectedTileKeepsIt();
    void fiveColumnsInAddForm_data();
    void fiveColumnsInAddForm();
    void rowsExposeNames_data();
    void rowsExposeNames();
    void modelConsistency();
};

void CategoryPickerTest::accentIndex_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");

    QTest::newRow("交通 indigo") << u"交通"_s << 0;
    QTest::newRow("购物 pink") << u"购物"_s << 1;
    QTest::newRow("工资 pink") << u"工资"_s << 1;
    QTest::newRow("红包 orange") << u"红包"_s << 2;
    QTest::newRow("其他收入 teal") << u"其他收入"_s << 3;
    QTest::newRow("餐饮 green") << u"餐饮"_s << 6;
    QTest::newRow("其它 green") << u"其它"_s << 6;
    QTest::newRow("empty name") << QString() << 0;
    // Outside the basic plane the scalar value counts once, not the two UTF-16 halves
    // (which would give 3 and 5).
    QTest::newRow("emoji alone") << u"🍔"_s << 1;
    QTest::newRow("emoji before text") << u"🎁礼物"_s << 3;
}

void CategoryPickerTest::accentIndex()
{
    QFETCH(QString, name);
    QFETCH(int, index);

    QCOMPARE(CategoryAccent::paletteIndex(name), index);
    // The tile reads its colour through the model, from the name alone.
    CategoryListModel model;
    model.setCategories({name});
    QCOMPARE(model.index(0).data(CategoryListModel::AccentRole).value<QColor>(),
             CategoryAccent::colour(name));
}

void CategoryPickerTest::selectionOutsideList_data()
{
    QTest::addColumn<QStringList>("categories");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("row");

    QTest::newRow("first expense") << LedgerCategories::expenses() << u"餐饮"_s << 0;
    QTest::newRow("last expense") << LedgerCategories::expenses() << u"其它"_s << 51;
    QTest::newRow("older name not in list") << LedgerCategories::expenses() << u"旧分类"_s << -1;
    QTest::newRow("income name in expense list") << LedgerCategories::expenses() << u"工资"_s << -1;
    QTest::newRow("empty selection") << LedgerCategories::incomes() << QString() << -1;
    QTest::newRow("differs only by a blank") << LedgerCategories::incomes() << u"工资 "_s << -1;
}

void CategoryPickerTest::selectionOutsideList()
{
    QFETCH(QStringList, categories);
    QFETCH(QString, selection);
    QFETCH(int, row);

    CategoryPicker picker;
    picker.setCategories(categories);
    picker.setSelection(selection);

    QCOMPARE(picker.selection(), selection);
    QCOMPARE(picker.categoryModel()->selectedRow(), row);
    QCOMPARE(selectedRows(*picker.categoryModel()), row < 0 ? QList<int>() : QList<int>{row});
}

void CategoryPickerTest::emptyList()
{
    CategoryPicker picker;
    picker.setCategories(LedgerCategories::expenses());
    picker.setSelection(u"餐饮"_s);
    picker.resize(760, 420);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));

    picker.setCategories({});
    QCOMPARE(picker.categoryModel()->rowCount(), 0);
    QCOMPARE(picker.categoryModel()->selectedRow(), -1);
    QVERIFY(picker.tileRect(u"餐饮"_s).isEmpty());

    // Clicking where the first tile used to be chooses nothing.
    QSignalSpy chosen(&picker, &CategoryPicker::selectionChanged);
    QTest::mouseClick(picker.viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(picker.selection(), u"餐饮"_s);
}

void CategoryPickerTest::clickSelectsTile()
{
    CategoryPicker picker;
    picker.setCategories(LedgerCategories::expenses());
    picker.setSelection(u"餐饮"_s);
    picker.resize(760, 420);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));

    QSignalSpy chosen(&picker, &CategoryPicker::selectionChanged);
    QSignalSpy redrawn(picker.categoryModel(), &QAbstractItemModel::dataChanged);
    QVERIFY(clickTile(picker, u"交通"_s));

    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), u"交通"_s);
    QCOMPARE(picker.selection(), u"交通"_s);
    QCOMPARE(selectedRows(*picker.categoryModel()), QList<int>{3});

    // Both the tile that lost the selection and the one that gained it are redrawn.
    QSet<int> rows;
    for (const QList<QVariant> &signal : redrawn) {
        const QModelIndex from = signal.at(0).toModelIndex();
        const QModelIndex to = signal.at(1).toModelIndex();
        for (int row = from.row(); row <= to.row(); ++row)
            rows.insert(row);
    }
    QCOMPARE(rows, (QSet<int>{0, 3}));

    // A tile further down, reached by scrolling.
    QVERIFY(clickTile(picker, u"洗衣服"_s));
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.at(1).at(0).toString(), u"洗衣服"_s);
    QCOMPARE(selectedRows(*picker.categoryModel()), QList<int>{50});
}

void CategoryPickerTest::clickOnSelectedTileKeepsIt()
{
    CategoryPicker picker;
    picker.setCategories(LedgerCategories::incomes());
    picker.setSelection(u"奖金"_s);
    picker.resize(760, 420);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));

    QSignalSpy chosen(&picker, &CategoryPicker::selectionChanged);
    QVERIFY(clickTile(picker, u"奖金"_s));
    QVERIFY(clickTile(picker, u"奖金"_s));

    for (const QList<QVariant> &signal : chosen)
        QCOMPARE(signal.at(0).toString(), u"奖金"_s);
    QCOMPARE(picker.selection(), u"奖金"_s);
    QCOMPARE(selectedRows(*picker.categoryModel()), QList<int>{1});
}

void CategoryPickerTest::fiveColumnsInAddForm_data()
{
    QTest::addColumn<QSize>("size");

    QTest::newRow("form's own size") << QSize(820, 650);
    QTest::newRow("wide window") << QSize(1280, 800);
}

void CategoryPickerTest::fiveColumnsInAddForm()
{
    QFETCH(QSize, size);

    QTemporaryDir dir;
    QString error;
    const std::unique_ptr<ModelStore> store = ModelStore::open(dir.filePath(u"s.sqlite"_s), &error);
    QVERIFY2(store, qPrintable(error));
    AddEntryView form(*store);
    form.resize(size);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    CategoryPicker *picker = form.picker();
    const QStringList &names = LedgerCategories::expenses();
    QList<QRect> tiles;
    for (int row = 0; row < 6; ++row)
        tiles.append(picker->tileRect(names.at(row)));

    for (int column = 1; column < 5; ++column) {
        QCOMPARE(tiles.at(column).y(), tiles.at(0).y());
        QVERIFY(tiles.at(column).x() > tiles.at(column - 1).x());
        QCOMPARE(tiles.at(column).width(), tiles.at(0).width());
    }
    QVERIFY2(tiles.at(4).right() < picker->viewport()->width(), "the fifth column is cut off");
    QVERIFY(tiles.at(5).y() > tiles.at(0).y());
    QCOMPARE(tiles.at(5).x(), tiles.at(0).x());
    // The columns share the width: no more than one column's width is left over.
    QVERIFY(picker->viewport()->width() - 5 * tiles.at(0).width() < tiles.at(0).width());
}

void CategoryPickerTest::rowsExposeNames_data()
{
    QTest::addColumn<QStringList>("names");

    QTest::newRow("expenses") << LedgerCategories::expenses();
    QTest::newRow("incomes") << LedgerCategories::incomes();
    QTest::newRow("names not in any list") << QStringList{u"旧分类"_s, u"🍔"_s};
}

void CategoryPickerTest::rowsExposeNames()
{
    QFETCH(QStringList, names);

    CategoryListModel model;
    model.setCategories(names);
    QCOMPARE(model.rowCount(), names.size());
    for (int row = 0; row < names.size(); ++row) {
        const QModelIndex index = model.index(row);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), names.at(row));
        QCOMPARE(index.data(Qt::AccessibleTextRole).toString(), names.at(row));
        QCOMPARE(index.data(CategoryListModel::SymbolRole).toString(), LedgerCategories::icon(names.at(row)));
    }
}

void CategoryPickerTest::modelConsistency()
{
    CategoryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    model.setCategories(LedgerCategories::expenses());
    model.setSelection(u"餐饮"_s);
    model.setSelection(u"交通"_s);
    model.setSelection(u"旧分类"_s);
    model.setCategories(LedgerCategories::incomes());
    model.setSelection(u"工资"_s);
    model.setCategories({});
    model.setSelection(QString());
    model.setCategories({u"餐饮"_s});
    QCOMPARE(model.rowCount(), 1);
}

PENNYLOOM_TEST(CategoryPickerTest)
#include "tst_CategoryPicker.moc"
