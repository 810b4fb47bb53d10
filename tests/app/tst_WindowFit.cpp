// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "app/ContentView.h"
#include "app/Workspace.h"
#include "model/AssetAccount.h"
#include "model/FixedAsset.h"
#include "model/LedgerEntry.h"
#include "model/SavingsDeposit.h"
#include "model/SavingsGoal.h"
#include "store/ModelStore.h"
#include "ui/Sheet.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString geometryKey = u"window/geometry"_s;

QRect inWindow(const QWidget *widget, const QWidget *window)
{
    return {widget->mapTo(window, QPoint(0, 0)), widget->size()};
}

// Whether the whole widget is on the window, or can be brought there by a scroll area that
// scrolls in the direction it lies outside.
bool reachable(const QWidget *widget, const QWidget *window)
{
    QRect rect = inWindow(widget, window);
    for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget()) {
        const QRect bounds = up == window ? window->rect() : inWindow(up, window);
        const auto *area = qobject_cast<const QAbstractScrollArea *>(up->parentWidget());
        if (area && up == area->viewport()) {
            const bool across = area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
            const bool down = area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
            if (!across && (rect.left() < bounds.left() || rect.right() > bounds.right()))
                return false;
            if (!down && (rect.top() < bounds.top() || rect.bottom() > bounds.bottom()))
                return false;
            // Scrolled there, it shows where the viewport is.
            rect = bounds.intersected(QRect(bounds.topLeft(), rect.size()));
            up = area;
            continue;
        }
        if (!bounds.contains(rect))
            return false;
        if (up == window)
            break;
    }
    return true;
}

QString described(const QWidget *widget, const QWidget *window)
{
    const QRect rect = inWindow(widget, window);
    return u"%1 \"%2\" at %3,%4 %5×%6 in %7×%8"_s
        .arg(QString::fromLatin1(widget->metaObject()->className()), widget->accessibleName())
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height())
        .arg(window->width())
        .arg(window->height());
}

QPushButton *visibleButton(QWidget *root, const QString &text)
{
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        if (button->text() == text && button->isVisible())
            return button;
    }
    return nullptr;
}

Sheet *shownSheet(QWidget *window)
{
    for (Sheet *sheet : window->findChildren<Sheet *>()) {
        if (sheet->isVisible())
            return sheet;
    }
    return nullptr;
}

bool isField(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget) ||
           qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractButton *>(widget);
}

// Ten years of a household's books up to the day: an expense a day, a salary a month, goals
// with deposits, accounts and fixed assets, so that every page shows full cards and lists.
void fillTenYears(ModelStore &store, const QDateTime &today)
{
    const QStringList spending{u"餐饮"_s, u"交通"_s, u"购物"_s, u"买菜"_s, u"日用"_s, u"娱乐"_s, u"话费"_s};
    std::vector<ModelStore::ImportRow> rows;
    const QDateTime first = today.addYears(-10);
    int day = 0;
    for (QDateTime at = first; at <= today; at = at.addDays(1), ++day) {
        const double amount = 12 + (day * 37) % 180 + (day % 4) * 0.5;
        rows.push_back(
            {LedgerEntry(amount, at, EntryKind::expense, spending.at(day % spending.size())), {}, {}});
        if (at.date().day() == 10)
            rows.push_back({LedgerEntry(12800, at, EntryKind::income, u"工资"_s), {}, {}});
    }
    QVERIFY(store.importEntries(rows));
    const QStringList goals{u"旅行基金"_s, u"应急备用金"_s, u"新电脑"_s, u"学车"_s};
    for (int i = 0; i < goals.size(); ++i) {
        const SavingsGoal goal(goals.at(i), 5000.0 * (i + 2), today.addMonths(6 + 3 * i));
        QVERIFY(store.insert(goal));
        for (int month = 0; month < 4 + i; ++month)
            QVERIFY(store.insert(SavingsDeposit(goal.id, 600 + 50 * month, today.addMonths(-month))));
    }
    QVERIFY(store.insert(AssetAccount(u"工资卡"_s, u"招商银行储蓄卡"_s, u"自有资产"_s, 48210.35)));
    QVERIFY(store.insert(AssetAccount(u"零钱"_s, u"微信"_s, u"自有资产"_s, 1260.8)));
    QVERIFY(store.insert(AssetAccount(u"余额宝"_s, u"支付宝"_s, u"自有资产"_s, 23000)));
    QVERIFY(store.insert(AssetAccount(u"房贷"_s, u"房贷"_s, u"负债"_s, 620000)));
    QVERIFY(store.insert(FixedAsset(u"电子设备"_s, u"笔记本电脑"_s, 8999, today.addYears(-1), 48)));
    QVERIFY(store.insert(FixedAsset(u"车辆"_s, u"家用轿车"_s, 126000, today.addYears(-3), 120)));
    QVERIFY(store.insert(FixedAsset(u"家具家电"_s, u"冰箱"_s, 4299, today.addYears(-2), 96)));
}

} // namespace

// The window opens on the screen's free area, and every control of a workspace stays in reach
// on the small screens laptops have.
class WindowFitTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(openStore(TestSupport::local(2024, 3, 20, 12)));
        fillTenYears(*m_store, TestSupport::local(2024, 3, 20, 9));
    }
    void cleanupTestCase() { closeStore(); }
    void cleanup() { QSettings().remove(geometryKey); }

    void opensOnScreen_data()
    {
        QTest::addColumn<QRect>("saved");
        // Whether the saved place is used as it was.
        QTest::addColumn<bool>("kept");

        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("nothing saved") << QRect() << false;
        QTest::newRow("saved on a larger screen")
            << QRect(available.topLeft(), available.size() + QSize(440, 200)) << false;
        QTest::newRow("saved past the right edge")
            << QRect(available.topLeft() + QPoint(available.width() - 100, 0), QSize(600, 450)) << false;
        QTest::newRow("saved where it fits")
            << QRect(available.topLeft() + QPoint(10, 20), available.size() - QSize(20, 40)) << true;
    }

    void opensOnScreen()
    {
        QFETCH(QRect, saved);
        QFETCH(bool, kept);

        if (saved.isValid()) {
            ContentView earlier(*m_store);
            earlier.setMinimumSize(1, 1);
            earlier.setGeometry(saved);
            QSettings().setValue(geometryKey, earlier.saveGeometry());
        }
        ContentView view(*m_store);
        view.restoreWindowState();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QRect available = view.screen()->availableGeometry();
        QVERIFY2(available.contains(view.frameGeometry()), qPrintable(u"%1,%2 %3×%4 on %5×%6"_s.arg(view.x())
                                                                          .arg(view.y())
                                                                          .arg(view.width())
                                                                          .arg(view.height())
                                                                          .arg(available.width())
                                                                          .arg(available.height())));
        if (kept)
            QCOMPARE(view.geometry(), saved);
    }

    void controlsInReach_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Workspace>("workspace");
        QTest::addColumn<QString>("button");

        for (const QSize size : {QSize(1024, 600), QSize(1080, 720), QSize(1366, 768)}) {
            const QByteArray tag = QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
            QTest::newRow(tag + " overview") << size << Workspace::overview << u"大白话记一笔"_s;
            QTest::newRow(tag + " savings") << size << Workspace::savings << u"新增目标"_s;
            QTest::newRow(tag + " assets") << size << Workspace::assets << u"新增资产"_s;
            QTest::newRow(tag + " fixed assets") << size << Workspace::fixedAssets << u"新增固定资产"_s;
        }
        QTest::newRow("1024x600 bills") << QSize(1024, 600) << Workspace::bills << u"记一笔"_s;
        // The least the window shrinks to (an empty size): the pages scroll, the sidebar's list too.
        QTest::newRow("least bills") << QSize() << Workspace::bills << u"记一笔"_s;
        QTest::newRow("least savings") << QSize() << Workspace::savings << u"新增目标"_s;
    }

    void controlsInReach()
    {
        QFETCH(QSize, size);
        QFETCH(Workspace, workspace);
        QFETCH(QString, button);

        ContentView view(*m_store);
        view.resize(size.isValid() ? size : QSize(1, 1));
        view.show();
        view.model().setSelection(workspace);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::processEvents();
        if (size.isValid())
            QCOMPARE(view.size(), size);
        else
            QCOMPARE(view.size(), view.minimumSize());
        TestSupport::screenshot(&view, u"window-"_s + QString::fromLatin1(QTest::currentDataTag()));

        // The workspace's own action, and the sentence entry at the foot of the sidebar.
        for (const QString &text : {button, u"大白话记一笔"_s}) {
            const QList<QPushButton *> buttons = view.findChildren<QPushButton *>();
            QVERIFY2(std::any_of(buttons.cbegin(), buttons.cend(),
                                 [&](QPushButton *b) { return b->isVisible() && b->text() == text; }),
                     qPrintable(text));
        }
        for (QWidget *widget : view.findChildren<QWidget *>()) {
            if (widget->isVisible() && isField(widget))
                QVERIFY2(reachable(widget, &view), qPrintable(described(widget, &view)));
        }
        // A page as wide as the laptop's screen needs no scrolling sideways.
        if (!size.isValid())
            return;
        for (QScrollArea *area : view.findChildren<QScrollArea *>()) {
            if (area->isVisible())
                QVERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(described(area, &view)));
        }
    }
};

// Sheets take their size from what they hold: a larger font makes them larger, never cuts a
// field, and a sheet taller than the screen scrolls.
class SheetFitTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_font = QApplication::font();
        QVERIFY(openStore(TestSupport::local(2024, 3, 20, 12)));
    }
    void cleanup()
    {
        QApplication::setFont(m_font);
        closeStore();
    }

    void fieldsWhole_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<Workspace>("workspace");
        QTest::addColumn<QString>("button");

        for (const qreal scale : {1.0, 1.6}) {
            const QByteArray tag = scale == 1.0 ? "normal font " : "larger font ";
            QTest::newRow(tag + "goal") << scale << Workspace::savings << u"新增目标"_s;
            QTest::newRow(tag + "account") << scale << Workspace::assets << u"新增资产"_s;
            QTest::newRow(tag + "fixed asset") << scale << Workspace::fixedAssets << u"新增固定资产"_s;
            QTest::newRow(tag + "entry") << scale << Workspace::overview << u"记一笔"_s;
            QTest::newRow(tag + "sentence") << scale << Workspace::overview << u"大白话记账"_s;
        }
    }

    void fieldsWhole()
    {
        QFETCH(qreal, scale);
        QFETCH(Workspace, workspace);
        QFETCH(QString, button);

        QFont font = m_font;
        font.setPointSizeF(font.pointSizeF() * scale);
        QApplication::setFont(font);

        ContentView view(*m_store);
        view.restoreWindowState();
        view.show();
        view.model().setSelection(workspace);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QPushButton *opener = visibleButton(view.detailScreen(), button);
        QVERIFY(opener);
        opener->click();
        Sheet *sheet = nullptr;
        QTRY_VERIFY((sheet = shownSheet(&view)));
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        QCoreApplication::processEvents();
        TestSupport::screenshot(sheet, u"sheet-"_s + QString::fromLatin1(QTest::currentDataTag()));

        const QRect available = sheet->screen()->availableGeometry();
        QVERIFY2(sheet->width() <= available.width() && sheet->height() <= available.height(),
                 qPrintable(u"%1×%2"_s.arg(sheet->width()).arg(sheet->height())));
        int fields = 0;
        for (QWidget *widget : sheet->findChildren<QWidget *>()) {
            if (!widget->isVisible() || widget->window() != sheet || !isField(widget))
                continue;
            ++fields;
            QVERIFY2(widget->height() >= widget->sizeHint().height(),
                     qPrintable(described(widget, sheet) + u" wants %1"_s.arg(widget->sizeHint().height())));
            QVERIFY2(reachable(widget, sheet), qPrintable(described(widget, sheet)));
        }
        QVERIFY(fields > 2);
    }

private:
    QFont m_font;
};

PENNYLOOM_TEST(WindowFitTest)
PENNYLOOM_TEST(SheetFitTest)

#include "tst_WindowFit.moc"
