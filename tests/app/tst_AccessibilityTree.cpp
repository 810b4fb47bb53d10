// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "app/ContentView.h"
#include "app/StatisticsStack.h"
#include "assets/AssetDimension.h"
#include "settings/ImportFileChooser.h"
#include "settings/ImportSheet.h"
#include "settings/SettingsView.h"
#include "store/ModelStore.h"
#include "trends/CalendarGrid.h"
#include "trends/MonthBarsChart.h"
#include "trends/TrendsView.h"
#include "ui/SegmentedControl.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

// What assistive technology reads of the program: every workspace and every sheet, on a store
// with a record of each kind, walked through the same accessibility interfaces a screen reader
// asks. A screen passes when the names and figures it draws can be read, every list with rows
// exposes them, and every control that can be used says what it is.
namespace {

bool isShown(QAccessibleInterface *node)
{
    return node && node->isValid() && !node->state().invisible;
}

// Visits the shown part of the tree below (and including) the node.
void walk(QAccessibleInterface *node, const std::function<void(QAccessibleInterface *)> &visit, int depth = 0)
{
    if (!isShown(node) || depth > 64)
        return;
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), visit, depth + 1);
}

QString texts(QAccessibleInterface *node)
{
    QStringList parts;
    for (const QAccessible::Text kind : {QAccessible::Name, QAccessible::Value, QAccessible::Description}) {
        const QString text = node->text(kind).simplified();
        if (!text.isEmpty())
            parts.append(text);
    }
    return parts.join(u" | "_s);
}

QString describe(QAccessibleInterface *node)
{
    const QObject *object = node->object();
    return u"%1 [%2, role %3]"_s
        .arg(texts(node), object ? QString::fromLatin1(object->metaObject()->className()) : u"item"_s)
        .arg(int(node->role()));
}

QStringList actionsOf(QAccessibleInterface *node)
{
    QAccessibleActionInterface *actions = node->actionInterface();
    return actions ? actions->actionNames() : QStringList();
}

bool isInteractive(QAccessibleInterface *node)
{
    switch (node->role()) {
    case QAccessible::ScrollBar:
    case QAccessible::Slider:
        // A scroll bar is the list's, which has the name.
        return false;
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::ListItem:
    case QAccessible::PageTab:
    case QAccessible::Link:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
        return true;
    default:
        return actionsOf(node).contains(QAccessibleActionInterface::pressAction());
    }
}

// A widget of the program's own that paints what it shows: its role says nothing, so only a
// name or items of its own can carry what it draws.
bool isPaintedLeaf(QAccessibleInterface *node)
{
    const QObject *object = node->object();
    if (!object || !object->isWidgetType() || node->childCount() > 0)
        return false;
    const auto *widget = static_cast<const QWidget *>(object);
    const QString className = QString::fromLatin1(widget->metaObject()->className());
    if (className.startsWith(u'Q') || widget->width() < 24 || widget->height() < 24)
        return false;
    const QAccessible::Role role = node->role();
    return role == QAccessible::Client || role == QAccessible::NoRole || role == QAccessible::Pane ||
           role == QAccessible::Graphic;
}

// The problems of the shown tree below the root; each line names the node.
QStringList problemsOf(QAccessibleInterface *root)
{
    QStringList problems;
    walk(root, [&](QAccessibleInterface *node) {
        if (isInteractive(node) && node->text(QAccessible::Name).trimmed().isEmpty())
            problems.append(u"unnamed control: "_s + describe(node));
        // On a store with records of every kind, a list shown empty is one whose items are
        // drawn but not exposed, unless it is a view whose model has no rows.
        const bool listRole = node->role() == QAccessible::List || node->role() == QAccessible::Table ||
                              node->role() == QAccessible::Tree;
        if (listRole && node->childCount() == 0) {
            auto *view = qobject_cast<QAbstractItemView *>(node->object());
            if (!view || !view->model() || view->model()->rowCount(view->rootIndex()) > 0)
                problems.append(u"list with rows exposes no items: "_s + describe(node));
        }
        if (isPaintedLeaf(node) && texts(node).isEmpty())
            problems.append(u"drawn area reads as nothing: "_s + describe(node));
    });
    return problems;
}

QStringList shownTexts(QAccessibleInterface *root)
{
    QStringList all;
    walk(root, [&](QAccessibleInterface *node) {
        if (const QString text = texts(node); !text.isEmpty())
            all.append(text);
    });
    return all;
}

// The shown node whose name begins with the text and that can be pressed.
QAccessibleInterface *pressable(QAccessibleInterface *root, const QString &name)
{
    QAccessibleInterface *found = nullptr;
    walk(root, [&](QAccessibleInterface *node) {
        if (!found && node->text(QAccessible::Name).startsWith(name) &&
            actionsOf(node).contains(QAccessibleActionInterface::pressAction()))
            found = node;
    });
    return found;
}

// The shown dialog in front, if it is not one of those open before.
QDialog *newestDialog(const QList<QDialog *> &before)
{
    QDialog *newest = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(window);
        if (dialog && dialog->isVisible() && !before.contains(dialog))
            newest = dialog;
    }
    if (!newest) {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            for (QDialog *dialog : window->findChildren<QDialog *>()) {
                if (dialog->isVisible() && !before.contains(dialog))
                    newest = dialog;
            }
        }
    }
    return newest;
}

class AnsweringChooser final : public ImportFileChooser {
public:
    explicit AnsweringChooser(QString path) : m_path(std::move(path)) {}
    QString choose(QWidget *) override { return m_path; }

private:
    QString m_path;
};

QList<QDialog *> shownDialogs()
{
    QList<QDialog *> shown;
    for (QWidget *window : QApplication::allWidgets()) {
        if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
            shown.append(dialog);
    }
    return shown;
}

} // namespace

class AccessibilityTreeTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<TestSupport::ScopedClock>(TestSupport::local(2026, 12, 7, 12));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
        const auto at = [](int month, int day) { return TestSupport::local(2026, month, day, 12); };
        QVERIFY(m_store->insert(LedgerEntry(32, at(12, 7), EntryKind::expense, u"餐饮"_s, u"午饭"_s)));
        QVERIFY(m_store->insert(LedgerEntry(120, at(12, 3), EntryKind::expense, u"交通"_s)));
        QVERIFY(m_store->insert(LedgerEntry(4500, at(12, 1), EntryKind::income, u"工资"_s)));
        QVERIFY(m_store->insert(Budget(u"餐饮"_s, 1000, at(12, 1))));
        SavingsGoal goal(u"旅行基金"_s, 5000, TestSupport::local(2027, 6, 1));
        QVERIFY(m_store->insert(goal));
        QVERIFY(m_store->insert(SavingsDeposit(goal.id, 800, at(12, 2))));
        const AssetAccount wallet(u"钱包"_s, u"现金"_s, AssetDimensions::rawValue(AssetDimension::owned),
                                  1200, at(10, 1));
        QVERIFY(m_store->insert(wallet));
        QVERIFY(m_store->insert(AssetAdjustment(wallet.id, 300, at(12, 4), u"奖金"_s)));
        QVERIFY(m_store->insert(
            AssetAccount(u"房贷"_s, AssetDimensions::kinds(AssetDimension::liability).constFirst(),
                         AssetDimensions::rawValue(AssetDimension::liability), 50000, at(9, 1))));
        QVERIFY(m_store->insert(FixedAsset(u"电子设备"_s, u"笔记本电脑"_s, 12000, at(12, 1), 60)));
        // Its first day is still ahead, so it writes nothing the other screens would show.
        QVERIFY(m_store->insertRecurringRule(
            RecurringRule(3000, EntryKind::expense, u"房租"_s, u"公寓"_s, QDate(2027, 1, 1))));
        m_view = std::make_unique<ContentView>(*m_store);
        m_view->resize(1280, 800);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void cleanup()
    {
        for (QDialog *dialog : shownDialogs())
            dialog->reject();
        m_view.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_store.reset();
        m_dir.reset();
        m_clock.reset();
    }

    // Each workspace reads out what it draws.
    void workspaces_data() { workspaceRows(); }

    void workspaces()
    {
        QFETCH(Workspace, workspace);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, drawn);
        show(workspace, presses);
        checkScreen(QAccessible::queryAccessibleInterface(m_view.get()), drawn);
    }

    // Tab reaches every control a screen shows, so nothing needs the pointer. (Each sheet's
    // check is part of sheets().)
    void tabReachesEveryControl_data() { workspaceRows(); }

    void tabReachesEveryControl()
    {
        QFETCH(Workspace, workspace);
        QFETCH(QStringList, presses);
        show(workspace, presses);
        m_view->workspaceList()->setFocus(Qt::TabFocusReason);
        checkTabReach(m_view.get());
    }

    // Each sheet, opened the way a screen-reader user opens it: by pressing the named controls
    // and cards in turn, each press from the sheet the previous one opened.
    void sheets_data()
    {
        QTest::addColumn<Workspace>("workspace");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("drawn");
        QTest::newRow("add entry") << Workspace::overview << QStringList{u"记一笔"_s}
                                   << QStringList{u"保存"_s};
        QTest::newRow("smart entry") << Workspace::overview << QStringList{u"大白话记账"_s}
                                     << QStringList{u"大白话记账"_s};
        QTest::newRow("edit entry") << Workspace::bills << QStringList{u"餐饮，午饭"_s}
                                    << QStringList{u"32.00"_s};
        QTest::newRow("recurring bills") << Workspace::bills << QStringList{u"周期账单"_s}
                                         << QStringList{u"房租 · 公寓"_s, u"每月 1 日"_s, u"¥3,000.00"_s};
        QTest::newRow("recurring bill") << Workspace::bills << QStringList{u"周期账单"_s, u"房租 · 公寓"_s}
                                        << QStringList{u"3000.00"_s, u"每月 1 日"_s};
        QTest::newRow("new recurring bill")
            << Workspace::bills << QStringList{u"周期账单"_s, u"新增"_s} << QStringList{u"保存"_s};
        QTest::newRow("entry made recurring")
            << Workspace::bills << QStringList{u"餐饮，午饭"_s, u"设为周期账单"_s} << QStringList{u"32.00"_s};
        QTest::newRow("new budget period")
            << Workspace::overview << QStringList{u"管理"_s, u"新建预算周期"_s} << QStringList{u"餐饮"_s};
        QTest::newRow("new goal") << Workspace::savings << QStringList{u"新增目标"_s}
                                  << QStringList{u"保存"_s};
        QTest::newRow("goal") << Workspace::savings << QStringList{u"旅行基金"_s}
                              << QStringList{u"旅行基金"_s, u"¥800.00"_s};
        QTest::newRow("deposit") << Workspace::savings << QStringList{u"旅行基金"_s, u"存入"_s}
                                 << QStringList{u"存入"_s};
        QTest::newRow("new account") << Workspace::assets << QStringList{u"新增资产"_s}
                                     << QStringList{u"现金"_s};
        QTest::newRow("account") << Workspace::assets << QStringList{u"钱包"_s}
                                 << QStringList{u"¥1,500.00"_s, u"奖金"_s, u"¥300.00"_s};
        QTest::newRow("amount change")
            << Workspace::assets << QStringList{u"钱包"_s, u"增加"_s} << QStringList{u"钱包"_s};
        QTest::newRow("account bills")
            << Workspace::assets << QStringList{u"钱包"_s, u"账单"_s} << QStringList{u"¥300.00"_s};
        QTest::newRow("repayments") << Workspace::assets << QStringList{u"还账账单"_s} << QStringList{};
        QTest::newRow("trend") << Workspace::assets << QStringList{u"月度资产走势"_s}
                               << QStringList{u"12月"_s};
        QTest::newRow("new fixed asset")
            << Workspace::fixedAssets << QStringList{u"新增固定资产"_s} << QStringList{u"保存"_s};
        QTest::newRow("fixed asset") << Workspace::fixedAssets << QStringList{u"笔记本电脑"_s}
                                     << QStringList{u"笔记本电脑"_s, u"¥12,000.00"_s};
        QTest::newRow("edit fixed asset") << Workspace::fixedAssets << QStringList{u"笔记本电脑"_s, u"编辑"_s}
                                          << QStringList{u"笔记本电脑"_s};
        QTest::newRow("import") << Workspace::settings << QStringList{u"导入账单…"_s}
                                << QStringList{u"微信支付"_s, u"新记录 8 笔"_s, u"午餐套餐"_s, u"¥25.50"_s};
    }

    void sheets()
    {
        QFETCH(Workspace, workspace);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, drawn);
        QDialog *sheet = nullptr;
        show(workspace, presses, &sheet);
        QVERIFY2(sheet, "no sheet opened");
        // The import sheet reads its file on a worker; its rows are read out once they are in.
        if (auto *import = qobject_cast<ImportSheet *>(sheet))
            QTRY_VERIFY(!import->model().reading());
        checkScreen(QAccessible::queryAccessibleInterface(sheet), drawn);
        checkTabReach(sheet);
    }

    // Every bar of the trend and every day of the calendar is an item a screen reader reaches,
    // named by its figures and placed where it is drawn.
    void trendsReachEveryBarAndDay()
    {
        show(Workspace::statistics, {u"年度趋势"_s});
        auto *stack = qobject_cast<StatisticsStack *>(m_view->detailScreen());
        QVERIFY(stack && stack->trends());
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(m_view.get());
        const auto itemsOf = [&](QWidget *painted) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(painted);
            QList<QAccessibleInterface *> items;
            walk(root, [&](QAccessibleInterface *node) {
                if (node->parent() == face)
                    items.append(node);
            });
            return items;
        };
        const QList<QAccessibleInterface *> bars = itemsOf(stack->trends()->chart());
        // Income and expense of twelve months, and the average.
        QCOMPARE(bars.size(), 25);
        for (QAccessibleInterface *bar : bars) {
            QVERIFY(!bar->text(QAccessible::Name).isEmpty());
            QVERIFY(m_view->rect().contains(m_view->mapFromGlobal(bar->rect().center())));
        }

        // The year in review reads out its figures; its segment is a choice, not a button to press.
        stack->trends()->pagePicker()->setCurrentIndex(1);
        QCoreApplication::processEvents();
        checkScreen(root, {u"2026 年度账单"_s, u"¥4,348.00"_s, u"交通 占全年支出 78%"_s, u"分享"_s});
        checkTabReach(m_view.get());

        stack->trends()->pagePicker()->setCurrentIndex(2);
        QCoreApplication::processEvents();
        checkScreen(root, {u"12月7日 周一 支出 ¥32.00，1笔"_s, u"12月8日 周二 无支出"_s});
        checkTabReach(m_view.get());
        const QList<QAccessibleInterface *> days = itemsOf(stack->trends()->calendarGrid());
        QCOMPARE(days.size(), 31);
        for (int i = 0; i < days.size(); ++i)
            QVERIFY(days.at(i)->text(QAccessible::Name).startsWith(u"12月%1日"_s.arg(i + 1)));
        QCOMPARE(QAccessible::queryAccessibleInterface(stack->trends()->calendarGrid())
                     ->childAt(days.at(6)->rect().center().x(), days.at(6)->rect().center().y()),
                 days.at(6));
    }

private:
    // Shows the workspace and presses the named controls and cards in turn, each press in the
    // sheet the previous one opened, if it opened one; the last sheet opened is left in `sheet`.
    void show(Workspace workspace, const QStringList &presses, QDialog **sheet = nullptr)
    {
        m_view->model().setSelection(workspace);
        // The screen left behind goes at the next turn of the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        // The file chooser answers with a bill, as a user picking one would.
        if (auto *settings = qobject_cast<SettingsView *>(m_view->detailScreen()))
            settings->setImportChooser(
                std::make_unique<AnsweringChooser>(QStringLiteral(PENNYLOOM_IMPORT_DATA) + u"/wechat.csv"_s));
        QWidget *front = m_view.get();
        for (const QString &name : presses) {
            QAccessibleInterface *target = pressable(QAccessible::queryAccessibleInterface(front), name);
            QVERIFY2(target, qPrintable(u"nothing to press named "_s + name));
            const QList<QDialog *> before = shownDialogs();
            target->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            // A button's press is an animated click, which lands a moment later.
            std::ignore = QTest::qWaitFor([&] { return newestDialog(before) != nullptr; }, 400);
            if (QDialog *opened = newestDialog(before)) {
                QVERIFY(QTest::qWaitForWindowExposed(opened));
                front = opened;
                if (sheet)
                    *sheet = opened;
            }
        }
        QCoreApplication::processEvents();
    }

    // Tab, pressed from the window's focus until it has gone round twice, stops at every shown
    // control of the window.
    void checkTabReach(QWidget *window)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QList<QWidget *> controls;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (widget->window() == window && widget->isVisible() && widget->isEnabled() &&
                (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
                !qobject_cast<QScrollBar *>(widget))
                controls.append(widget);
        }
        QList<QWidget *> reached;
        QList<QImage> focusedLooks;
        for (int step = 0; step < 2 * controls.size() + 4; ++step) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Tab);
            if (QWidget *focused = QApplication::focusWidget(); focused && !reached.contains(focused)) {
                reached.append(focused);
                focusedLooks.append(focused->grab().toImage());
            }
        }
        // The focus shows: each stop looks different while it has the focus.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QStringList unmarked;
        for (qsizetype i = 0; i < reached.size(); ++i) {
            if (reached.at(i) != QApplication::focusWidget() &&
                reached.at(i)->grab().toImage() == focusedLooks.at(i))
                unmarked.append(
                    u"%1 「%2」"_s.arg(QString::fromLatin1(reached.at(i)->metaObject()->className()),
                                       reached.at(i)->accessibleName()));
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable(u"no visible focus: "_s + unmarked.join(u", "_s)));
        // A choice of exclusive buttons is one stop, as radio buttons are; arrows move within it.
        const auto stop = [](QWidget *widget) -> QObject * {
            auto *button = qobject_cast<QAbstractButton *>(widget);
            return button && button->group() && button->group()->exclusive()
                       ? static_cast<QObject *>(button->group())
                       : widget;
        };
        QList<QObject *> stops;
        for (QWidget *widget : reached)
            stops.append(stop(widget));
        QStringList missed;
        for (QWidget *control : controls) {
            if (!stops.contains(stop(control)))
                missed.append(u"%1 「%2」"_s.arg(QString::fromLatin1(control->metaObject()->className()),
                                                 control->accessibleName()));
        }
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(u'\n')));
    }

    static void workspaceRows()
    {
        QTest::addColumn<Workspace>("workspace");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("drawn");
        QTest::newRow("overview") << Workspace::overview << QStringList()
                                  << QStringList{u"¥152.00"_s, u"¥4,500.00"_s, u"午饭"_s};
        QTest::newRow("bills") << Workspace::bills << QStringList()
                               << QStringList{u"午饭"_s, u"¥120.00"_s, u"支出 ¥152.00"_s};
        QTest::newRow("statistics") << Workspace::statistics << QStringList()
                                    << QStringList{u"交通"_s, u"¥120.00"_s};
        QTest::newRow("receipt") << Workspace::receipt << QStringList()
                                 << QStringList{u"合计 ¥32.00"_s, u"餐饮 ¥32.00"_s};
        QTest::newRow("savings") << Workspace::savings << QStringList()
                                 << QStringList{u"旅行基金"_s, u"¥800.00"_s};
        QTest::newRow("assets") << Workspace::assets << QStringList()
                                << QStringList{u"钱包"_s, u"¥1,500.00"_s, u"房贷"_s};
        QTest::newRow("fixed assets")
            << Workspace::fixedAssets << QStringList() << QStringList{u"笔记本电脑，电子设备，¥12,000.00"_s};
        QTest::newRow("settings") << Workspace::settings << QStringList() << QStringList{u"版本 1.0"_s};
        QTest::newRow("budgets") << Workspace::overview << QStringList{u"管理"_s}
                                 << QStringList{u"预算管理"_s, u"餐饮"_s, u"¥1,000.00"_s};
        QTest::newRow("trends") << Workspace::statistics << QStringList{u"年度趋势"_s}
                                << QStringList{u"2026年12月 收入 ¥4,500.00"_s, u"2026年12月 支出 ¥152.00"_s};
    }

    void checkScreen(QAccessibleInterface *root, const QStringList &drawn)
    {
        QVERIFY(root);
        if (qEnvironmentVariableIsSet("DUMP"))
            walk(root, [](QAccessibleInterface *n) {
                qInfo().noquote() << describe(n) << n->childCount() << n->rect();
            });
        const QStringList problems = problemsOf(root);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        const QStringList shown = shownTexts(root);
        for (const QString &text : drawn) {
            const bool read = std::any_of(shown.begin(), shown.end(),
                                          [&](const QString &line) { return line.contains(text); });
            QVERIFY2(read, qPrintable(u"「%1」 is drawn but not read; the tree reads:\n%2"_s.arg(
                               text, shown.join(u'\n'))));
        }
    }

    std::unique_ptr<TestSupport::ScopedClock> m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModelStore> m_store;
    std::unique_ptr<ContentView> m_view;
};

PENNYLOOM_TEST(AccessibilityTreeTest)

#include "tst_AccessibilityTree.moc"
