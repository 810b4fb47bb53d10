// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "WidgetSupport.h"

#include "ui/CardGrid.h"
#include "ui/ItemActions.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Cards of a fixed height, painted by nobody in particular.
class FixedCard final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return {270, 100}; }
};

const QStringList cardTexts{u"家用轿车，车辆，¥128,000.00"_s, u"笔记本电脑"_s, u"微单相机"_s, u"两居室公寓"_s,
                            u"纪念邮票整版"_s};

} // namespace

class CardGridTest final : public QObject {
    Q_OBJECT

    QStringListModel m_model{cardTexts};

    std::unique_ptr<CardGrid> showGrid(int width)
    {
        auto grid = std::make_unique<CardGrid>();
        grid->setItemDelegate(new FixedCard(grid.get()));
        grid->setMinimumColumnWidth(270);
        grid->setSpacing(14);
        grid->setModel(&m_model);
        grid->resize(width, 100);
        grid->show();
        if (!QTest::qWaitForWindowExposed(grid.get()))
            return nullptr;
        return grid;
    }

private Q_SLOTS:
    void columns_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("columns");

        QTest::newRow("narrower than a card") << 200 << 1;
        QTest::newRow("one card") << 270 << 1;
        QTest::newRow("one short of two") << 553 << 1;
        QTest::newRow("two exactly") << 554 << 2;
        QTest::newRow("wide") << 1200 << 4;
    }

    // Cards fill their columns edge to edge, the spacing apart, the grid is as tall as its
    // rows, and a click between cards hits none.
    void columns()
    {
        QFETCH(int, width);
        QFETCH(int, columns);

        const std::unique_ptr<CardGrid> grid = showGrid(width);
        QVERIFY(grid);
        QCOMPARE(grid->columnCount(), columns);
        const int rows = (5 + columns - 1) / columns;
        QCOMPARE(grid->height(), rows * 100 + (rows - 1) * 14);
        const QRect first = grid->visualRect(m_model.index(0, 0));
        const QRect lastInRow = grid->visualRect(m_model.index(columns - 1, 0));
        const QRect lastCard = grid->visualRect(m_model.index(4, 0));
        QCOMPARE(first.left(), 0);
        QCOMPARE(lastInRow.right(), width - 1);
        QCOMPARE(lastCard.bottom(), grid->height() - 1);
        if (columns > 1) {
            QCOMPARE(grid->visualRect(m_model.index(1, 0)).left() - first.right() - 1, 14);
            QVERIFY(!grid->indexAt({first.right() + 5, first.center().y()}).isValid());
        }
        QCOMPARE(grid->indexAt(lastCard.center()), m_model.index(4, 0));
    }

    void keys_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");

        // Two columns: 0 1 / 2 3 / 4.
        QTest::newRow("right") << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("right wraps to the next row") << 1 << int(Qt::Key_Right) << 2;
        QTest::newRow("down a row") << 1 << int(Qt::Key_Down) << 3;
        QTest::newRow("down past the last stays on the last") << 3 << int(Qt::Key_Down) << 4;
        QTest::newRow("up a row") << 4 << int(Qt::Key_Up) << 2;
        QTest::newRow("left from the first stays") << 0 << int(Qt::Key_Left) << 0;
    }

    void keys()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);

        const std::unique_ptr<CardGrid> grid = showGrid(600);
        QVERIFY(grid);
        QCOMPARE(grid->columnCount(), 2);
        grid->setFocus();
        grid->setCurrentIndex(m_model.index(from, 0));
        QTest::keyClick(grid.get(), Qt::Key(key));
        QCOMPARE(grid->currentIndex().row(), to);
    }

    // Return opens the current card, a click opens the card under it unless the cards take
    // their own clicks.
    void opening()
    {
        const std::unique_ptr<CardGrid> grid = showGrid(600);
        QVERIFY(grid);
        QSignalSpy opened(grid.get(), &CardGrid::opened);
        grid->setFocus();
        grid->setCurrentIndex(m_model.index(3, 0));
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.at(0).at(0).toModelIndex(), m_model.index(3, 0));

        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(m_model.index(1, 0)).center());
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.at(1).at(0).toModelIndex(), m_model.index(1, 0));
        grid->setClickOpens(false);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(m_model.index(1, 0)).center());
        QCOMPARE(opened.size(), 2);
    }

    // Each card is one accessible item named by its whole text.
    void accessibleCards()
    {
        const std::unique_ptr<CardGrid> grid = showGrid(600);
        QVERIFY(grid);
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(grid.get());
        QVERIFY(view);
        QStringList names;
        for (int i = 0; i < view->childCount(); ++i)
            names << view->child(i)->text(QAccessible::Name);
        QCOMPARE(names, cardTexts);
    }

    void accessibleActions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("opens");

        QTest::newRow("press opens") << QAccessibleActionInterface::pressAction() << true;
        QTest::newRow("delete asks to delete") << ItemActions::deleteAction() << false;
    }

    // A card's actions do what Return and Delete do on it.
    void accessibleActions()
    {
        QFETCH(QString, action);
        QFETCH(bool, opens);

        const std::unique_ptr<CardGrid> grid = showGrid(600);
        QVERIFY(grid);
        QSignalSpy opened(grid.get(), &CardGrid::opened);
        QSignalSpy deleting(grid.get(), &CardGrid::deleteRequested);
        QVERIFY(TestSupport::doAccessibleAction(grid.get(), 2, action));
        QSignalSpy &fired = opens ? opened : deleting;
        QCOMPARE(fired.size(), 1);
        QCOMPARE(fired.at(0).at(0).toModelIndex(), m_model.index(2, 0));
        QCOMPARE(opened.size() + deleting.size(), 1);
    }
};

PENNYLOOM_TEST(CardGridTest)
#include "tst_CardGrid.moc"
