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
#include "ui/CardGrid.h"
#include "ui/ElidedLabel.h"
#include "ui/Sheet.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype longLength = 200;

// A name or note of the user's, 200 characters of Chinese without a space to break at.
QString longText(const QString &lead)
{
    QString text = lead;
    while (text.size() < longLength)
        text += u"非常长的名字用来看看界面"_s;
    return text.left(longLength);
}

bool insideScrollArea(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *up = widget->parentWidget(); up && up != window; up = up->parentWidget()) {
        if (qobject_cast<const QScrollArea *>(up))
            return true;
    }
    return false;
}

bool isControl(QWidget *widget)
{
    return qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget) ||
           qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QComboBox *>(widget) ||
           qobject_cast<QAbstractItemView *>(widget);
}

} // namespace

// The user's longest names and notes on every screen that shows them: no control leaves the
// window, the cut names are whole in their tooltip and accessible name, and notes wrap whole.
class LongTextsTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { closeStore(); }
    void staysInside_data();
    void staysInside();

private:
    QStringList m_names;
    QStringList m_notes;
};

void LongTextsTest::init()
{
    QVERIFY(openStore(TestSupport::local(2024, 3, 20, 12)));
    m_names.clear();
    m_notes.clear();
    const QDateTime day = TestSupport::local(2024, 3, 19, 9);
    // A note typed over two lines.
    const QString note = longText(u"备注"_s).left(120) + u"\n"_s + longText(u"第二行"_s).left(79);
    m_notes.append(note);
    for (int i = 1; i <= 4; ++i) {
        const QString number = QString::number(i);
        SavingsGoal goal(longText(u"目标"_s + number), 50000, TestSupport::local(2025, 1, 1));
        QVERIFY(m_store->insert(goal));
        QVERIFY(m_store->insert(SavingsDeposit(goal.id, 1200, day, note)));
        QVERIFY(
            m_store->insert(FixedAsset(u"电子产品"_s, longText(u"资产"_s + number), 8999, day, 36, note)));
        QVERIFY(m_store->insert(LedgerEntry(35, day, EntryKind::expense, u"餐饮"_s, note)));
        m_names << goal.name << longText(u"资产"_s + number);
    }
    // A balance as wide as the cards allow, next to the longest kind.
    const QString account = longText(u"账户"_s);
    QVERIFY(m_store->insert(AssetAccount(account, u"工商银行储蓄卡"_s, u"自有资产"_s, 999'999'999'999.99)));
    QVERIFY(m_store->insert(AssetAccount(longText(u"借款"_s), u"亲友借款"_s, u"负债"_s, 20000)));
    m_names << account << longText(u"借款"_s);
}

void LongTextsTest::staysInside_data()
{
    QTest::addColumn<Workspace>("workspace");
    // Whether the first card's sheet opens over the screen, and is the window looked at.
    QTest::addColumn<bool>("sheet");
    // Whether the window shows a name on an eliding label, and a note.
    QTest::addColumn<bool>("namesOnLabels");
    QTest::addColumn<bool>("showsNote");

    QTest::newRow("overview") << Workspace::overview << false << false << false;
    QTest::newRow("bills") << Workspace::bills << false << false << false;
    QTest::newRow("savings") << Workspace::savings << false << true << false;
    QTest::newRow("savings-goal") << Workspace::savings << true << true << false;
    QTest::newRow("assets") << Workspace::assets << false << false << false;
    QTest::newRow("asset-account") << Workspace::assets << true << true << false;
    QTest::newRow("fixed-assets") << Workspace::fixedAssets << false << false << false;
    QTest::newRow("fixed-asset") << Workspace::fixedAssets << true << true << true;
}

void LongTextsTest::staysInside()
{
    QFETCH(Workspace, workspace);
    QFETCH(bool, sheet);
    QFETCH(bool, namesOnLabels);
    QFETCH(bool, showsNote);

    ContentView view(*m_store);
    view.resize(1080, 720);
    view.show();
    view.model().setSelection(workspace);
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QWidget *window = &view;
    QSize expected(1080, 720);
    if (sheet) {
        auto grids = view.detailScreen()->findChildren<CardGrid *>();
        grids.removeIf([](const CardGrid *grid) { return !grid->isVisible(); });
        QVERIFY(!grids.isEmpty());
        grids.first()->open(grids.first()->model()->index(0, 0));
        Sheet *shown = nullptr;
        QTRY_VERIFY((shown = [&]() -> Sheet * {
            for (Sheet *candidate : view.findChildren<Sheet *>()) {
                if (candidate->isVisible())
                    return candidate;
            }
            return nullptr;
        }()));
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        window = shown;
        expected = shown->openingSize();
    }
    QCoreApplication::processEvents();
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    TestSupport::screenshot(window, u"long-"_s + name);

    // The texts never widen the window.
    QCOMPARE(window->size(), expected);
    const QRect bounds = window->rect();
    const auto within = [&](const QRect &rect, bool scrolled) {
        return rect.left() >= 0 && rect.right() <= bounds.right() &&
               (scrolled || (rect.top() >= 0 && rect.bottom() <= bounds.bottom()));
    };
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisible() || widget->window() != window || !isControl(widget))
            continue;
        const QRect rect(widget->mapTo(window, QPoint(0, 0)), widget->size());
        QVERIFY2(within(rect, insideScrollArea(widget, window)),
                 qPrintable(u"%1 \"%2\" at %3,%4 %5×%6"_s
                                .arg(QString::fromLatin1(widget->metaObject()->className()),
                                     widget->accessibleName())
                                .arg(rect.x())
                                .arg(rect.y())
                                .arg(rect.width())
                                .arg(rect.height())));
    }
    // Every card of a grid is in reach, and its tooltip holds the whole name.
    for (CardGrid *grid : window->findChildren<CardGrid *>()) {
        if (!grid->isVisible() || grid->window() != window)
            continue;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            const QModelIndex card = grid->model()->index(row, 0);
            const QRect rect =
                grid->visualRect(card).translated(grid->viewport()->mapTo(window, QPoint(0, 0)));
            QVERIFY2(within(rect, true), qPrintable(u"card %1"_s.arg(row)));
            const QString tip = card.data(Qt::ToolTipRole).toString();
            QVERIFY2(std::any_of(m_names.cbegin(), m_names.cend(),
                                 [&](const QString &n) { return tip.contains(n); }),
                     qPrintable(tip));
        }
    }
    // A cut name is whole where the pointer and a screen reader look.
    int labels = 0;
    for (ElidedLabel *label : window->findChildren<ElidedLabel *>()) {
        if (!label->isVisible() || label->window() != window || !m_names.contains(label->text()))
            continue;
        QCOMPARE(label->toolTip(), label->text());
        QCOMPARE(label->accessibleName(), label->text());
        ++labels;
    }
    QCOMPARE(labels > 0, namesOnLabels);
    // A note wraps over all its lines.
    int notes = 0;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->window() != window || !m_notes.contains(label->text()))
            continue;
        QVERIFY(label->wordWrap());
        QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                 qPrintable(u"%1 < %2"_s.arg(label->height()).arg(label->heightForWidth(label->width()))));
        QVERIFY(within(QRect(label->mapTo(window, QPoint(0, 0)), label->size()),
                       insideScrollArea(label, window)));
        ++notes;
    }
    QCOMPARE(notes > 0, showsNote);
}

PENNYLOOM_TEST(LongTextsTest)
#include "tst_LongTexts.moc"
