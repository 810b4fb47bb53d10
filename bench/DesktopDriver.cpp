// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopDriver.h"

#include "PaintClock.h"
#include "app/ContentView.h"
#include "app/UndoBar.h"
#include "app/Workspace.h"
#include "bills/BillsDelegate.h"
#include "model/Clock.h"
#include "store/ModelStore.h"
#include "ui/ItemActions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>

#include <cstdlib>
#include <malloc.h>

using namespace Qt::StringLiterals;

namespace {

// Long enough for the largest books to be loaded into any screen.
constexpr std::chrono::seconds settleLimit(300);

const QString searchFieldName = u"搜索分类、备注或类型"_s;

// The shown control of that type whose accessible name is name, below root.
template <class T> T *named(QWidget *root, const QString &name)
{
    for (T *widget : root->findChildren<T *>()) {
        if (widget->isVisible() && widget->accessibleName() == name)
            return widget;
    }
    DesktopDriver::fail(
        u"no shown %1 named 「%2」 in %3"_s.arg(QString::fromLatin1(T::staticMetaObject.className()), name,
                                                QString::fromLatin1(root->metaObject()->className())));
}

QList<QDialog *> shownDialogs()
{
    QList<QDialog *> shown;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
            shown.append(dialog);
    }
    return shown;
}

// The one dialog shown now that was not shown before, or nullptr.
QDialog *newDialog(const QList<QDialog *> &before)
{
    QDialog *found = nullptr;
    for (QDialog *dialog : shownDialogs()) {
        if (!before.contains(dialog))
            found = dialog;
    }
    return found;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double peakResidentMiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        DesktopDriver::fail(u"cannot read /proc/self/status"_s);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toDouble() / 1024.0;
    }
    DesktopDriver::fail(u"/proc/self/status has no VmHWM"_s);
}

// The resident memory now, whole and by kind, as /proc/self/status gives it.
QByteArray residentParts()
{
    QFile status(u"/proc/self/status"_s);
    QByteArrayList parts;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:") || line.startsWith("RssAnon:") || line.startsWith("RssFile:"))
                parts.append(line.simplified());
        }
    }
    const struct mallinfo2 heap = mallinfo2();
    parts.append(QByteArray("heap in use ") +
                 QByteArray::number(qulonglong(heap.uordblks + heap.hblkhd) >> 10) + " kB, free " +
                 QByteArray::number(qulonglong(heap.fordblks) >> 10) + " kB");
    return parts.join(", ");
}

} // namespace

DesktopDriver::DesktopDriver(ContentView &window, ModelStore &store, PaintClock &paints, int runs)
    : m_window(window), m_store(store), m_paints(paints), m_runs(runs)
{
}

void DesktopDriver::fail(const QString &why)
{
    std::fprintf(stderr, "bench_desktop: %s\n", why.toUtf8().constData());
    std::fflush(nullptr);
    std::_Exit(1);
}

std::vector<double> DesktopDriver::mediansOfRuns(const std::function<std::vector<double>()> &run) const
{
    run();
    std::vector<std::vector<double>> columns;
    for (int i = 0; i < m_runs; ++i) {
        std::vector<double> steps = run();
        double sum = 0;
        for (double step : steps)
            sum += step;
        steps.push_back(sum);
        columns.resize(steps.size());
        for (size_t s = 0; s < steps.size(); ++s)
            columns[s].push_back(steps[s]);
    }
    std::vector<double> medians;
    for (const std::vector<double> &column : columns)
        medians.push_back(median(column));
    return medians;
}

void DesktopDriver::idle() const
{
    if (!m_paints.settle(settleLimit))
        fail(u"the program did not go quiet within %1 s"_s.arg(settleLimit.count()));
}

double DesktopDriver::measure(const QString &what, const std::function<void()> &input)
{
    idle();
    m_paints.start();
    input();
    if (!m_paints.settle(settleLimit))
        fail(u"%1: the program did not go quiet within %2 s"_s.arg(what).arg(settleLimit.count()));
    const double milliseconds = m_paints.millisecondsToLastPaint();
    if (milliseconds < 0)
        fail(what + u": nothing was painted"_s);
    // With the paint trace on, the peak after each step shows which one raised it.
    if (qEnvironmentVariableIsSet("PENNYLOOM_BENCH_TRACE"))
        std::fprintf(stderr, "%s: peak %.1f MiB; %s\n", qPrintable(what), peakResidentMiB(),
                     residentParts().constData());
    return milliseconds;
}

void DesktopDriver::expectPainted(const QWidget *window, const QString &what) const
{
    if (!m_paints.painted(window))
        fail(u"%1: %2 was not repainted"_s.arg(what, QString::fromLatin1(window->metaObject()->className())));
}

void DesktopDriver::clickWorkspace(const QString &title)
{
    auto *list = named<QListWidget>(&m_window, u"工作区"_s);
    const QList<QListWidgetItem *> items = list->findItems(title, Qt::MatchExactly);
    if (items.size() != 1)
        fail(u"the sidebar has no item 「%1」"_s.arg(title));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(items.constFirst()).center());
}

void DesktopDriver::showWorkspace(const QString &title)
{
    if (Workspaces::title(m_window.model().shownWorkspace()) == title)
        return;
    clickWorkspace(title);
    idle();
    if (Workspaces::title(m_window.model().shownWorkspace()) != title)
        fail(u"a click on 「%1」 in the sidebar did not show it"_s.arg(title));
}

QAbstractItemView *DesktopDriver::billsList() const
{
    return named<QAbstractItemView>(&m_window, u"账单明细"_s);
}

QModelIndex DesktopDriver::firstEntryRow()
{
    QAbstractItemView *list = billsList();
    const ItemActions *actions = ItemActions::of(list);
    if (!actions)
        fail(u"the bills list offers no row actions"_s);
    const auto find = [&]() -> QModelIndex {
        const int rows = std::min(list->model()->rowCount(), 64);
        for (int row = 0; row < rows; ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            if (actions->names(index).contains(ItemActions::deleteAction()))
                return index;
        }
        return {};
    };
    if (!find().isValid()) {
        // An empty store has no row to open or delete; one everyday entry stands in.
        if (!m_store.insert(LedgerEntry(32, Clock::now(), EntryKind::expense, u"餐饮"_s, u"午饭"_s)))
            fail(u"could not record an entry for the row interactions"_s);
        idle();
    }
    const QModelIndex index = find();
    if (!index.isValid())
        fail(u"the bills list shows no entry row"_s);
    list->scrollTo(index);
    idle();
    return index;
}

void DesktopDriver::searchKeystroke(const QString &character)
{
    // Chinese is typed through an input method, which hands the field the committed text.
    QInputMethodEvent commit;
    commit.setCommitString(character);
    QCoreApplication::sendEvent(named<QLineEdit>(&m_window, searchFieldName), &commit);
}

void DesktopDriver::measureAll(const Report &report)
{
    if (qEnvironmentVariableIsSet("PENNYLOOM_BENCH_TRACE"))
        std::fprintf(stderr, "shown: peak %.1f MiB; %s\n", peakResidentMiB(), residentParts().constData());
    measureFirstBills(report);
    measureWorkspaces(report);
    measureSearch(report);
    measureEditSheet(report);
    measureDeletion(report);
    measureQuickAdd(report);
    measureTrends(report);
}

void DesktopDriver::measureWorkspaces(const Report &report)
{
    for (const QString &title : {u"账单"_s, u"统计"_s, u"小票机"_s}) {
        const std::vector<double> medians = mediansOfRuns([&] {
            showWorkspace(u"概览"_s);
            const QString what = u"open 「%1」"_s.arg(title);
            const double time = measure(what, [&] { clickWorkspace(title); });
            if (Workspaces::title(m_window.model().shownWorkspace()) != title)
                fail(what + u": the workspace is not shown"_s);
            expectPainted(&m_window, what);
            return std::vector<double>{time};
        });
        report(u"open %1 (sidebar click)"_s.arg(title), medians.back());
    }
}

void DesktopDriver::measureFirstBills(const Report &report)
{
    // The first visit builds what the list keeps between visits (or finds it built), so it is
    // timed once, before anything else has opened the list: it cannot be repeated in a process.
    idle();
    const QString what = u"open 「账单」 for the first time"_s;
    const double time = measure(what, [&] { clickWorkspace(u"账单"_s); });
    if (Workspaces::title(m_window.model().shownWorkspace()) != u"账单"_s)
        fail(what + u": the workspace is not shown"_s);
    expectPainted(&m_window, what);
    report(u"first open of 账单 in the session (sidebar click, one run)"_s, time);
    showWorkspace(u"概览"_s);
}

void DesktopDriver::measureSearch(const Report &report)
{
    showWorkspace(u"账单"_s);
    // A word of its own for every run, so no text timed was searched before: the results of
    // recent texts are kept, and a text searched again would be answered from them.
    const QString words[] = {u"午饭"_s, u"地铁"_s, u"超市"_s, u"早餐"_s, u"晚饭"_s, u"房租"_s,
                             u"水果"_s, u"咖啡"_s, u"电费"_s, u"车费"_s, u"话费"_s, u"书店"_s};
    const QString pasted[] = {u"零食"_s, u"药店"_s, u"外卖"_s, u"奶茶"_s, u"停车"_s, u"洗衣"_s,
                              u"快递"_s, u"理发"_s, u"电影"_s, u"健身"_s, u"宠物"_s, u"礼物"_s};
    size_t run = 0;
    const std::vector<double> medians = mediansOfRuns([&] {
        const QString &word = words[run % std::size(words)];
        const QString &other = pasted[run % std::size(pasted)];
        ++run;
        auto *field = named<QLineEdit>(&m_window, searchFieldName);
        field->clear();
        field->setFocus(Qt::MouseFocusReason);
        // The second keystroke is timed: after the first, Qt fades the clear button in for
        // 160 ms, which would be the last paint of any search however fast.
        searchKeystroke(word.first(1));
        idle();
        const QString narrowing = u"search keystroke"_s;
        const double second = measure(narrowing, [&] { searchKeystroke(word.sliced(1)); });
        if (field->text() != word)
            fail(narrowing + u": the field holds 「%1」"_s.arg(field->text()));
        expectPainted(&m_window, narrowing);
        // A new text over the whole field, as a paste or an input method's phrase gives it: it
        // extends no text searched before, so every entry of the span is looked at.
        field->selectAll();
        const QString replacing = u"new search text"_s;
        const double fresh = measure(replacing, [&] { searchKeystroke(other); });
        if (field->text() != other)
            fail(replacing + u": the field holds 「%1」"_s.arg(field->text()));
        expectPainted(&m_window, replacing);
        return std::vector<double>{second, fresh};
    });
    named<QLineEdit>(&m_window, searchFieldName)->clear();
    report(u"one search keystroke in 账单 (second character of a new word, 午 → 午饭)"_s, medians.at(0));
    report(u"a new search text in 账单 (a word over the whole field)"_s, medians.at(1));
}

void DesktopDriver::measureEditSheet(const Report &report)
{
    showWorkspace(u"账单"_s);
    const std::vector<double> medians = mediansOfRuns([&] {
        QAbstractItemView *list = billsList();
        const QRect row = list->visualRect(firstEntryRow());
        const QList<QDialog *> before = shownDialogs();
        const QString what = u"open the edit sheet"_s;
        const double time = measure(what, [&] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(row.left() + row.width() / 3, row.center().y()));
        });
        // Deleted on close, later.
        const QPointer<QDialog> sheet = newDialog(before);
        if (!sheet)
            fail(what + u": a click on an entry row opened no sheet"_s);
        expectPainted(sheet, what);
        QTest::keyClick(sheet, Qt::Key_Escape);
        idle();
        if (sheet && sheet->isVisible())
            fail(what + u": Escape did not close the sheet"_s);
        return std::vector<double>{time};
    });
    report(u"open the edit sheet from a 账单 row (click)"_s, medians.back());
}

void DesktopDriver::measureDeletion(const Report &report)
{
    showWorkspace(u"账单"_s);
    const std::vector<double> medians = mediansOfRuns([&] {
        QAbstractItemView *list = billsList();
        const QRect row = list->visualRect(firstEntryRow());
        const size_t entries = m_store.entries().size();
        const QList<QDialog *> before = shownDialogs();
        const QString ask = u"the row's trash button"_s;
        const double asking = measure(ask, [&] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              BillsDelegate::trashRect(row).center());
        });
        auto *alert = qobject_cast<QMessageBox *>(newDialog(before));
        if (!alert)
            fail(ask + u": no confirmation opened"_s);
        expectPainted(alert, ask);
        auto *remove = named<QPushButton>(alert, u"删除"_s);
        const QString confirm = u"删除 in the confirmation"_s;
        const double removing = measure(confirm, [&] { QTest::mouseClick(remove, Qt::LeftButton); });
        if (m_store.entries().size() != entries - 1)
            fail(confirm + u": the entry was not deleted"_s);
        expectPainted(&m_window, confirm);
        // The bar offering to undo hides by itself later; it would otherwise do so during
        // another measurement.
        m_window.undoBar()->hide();
        idle();
        return std::vector<double>{asking, removing};
    });
    report(u"delete a 账单 row (trash, then 删除)"_s, medians.back());
    report(u"  · trash click → confirmation shown"_s, medians.at(0));
    report(u"  · 删除 → list redrawn"_s, medians.at(1));
}

void DesktopDriver::measureQuickAdd(const Report &report)
{
    const std::vector<double> medians = mediansOfRuns([&] {
        showWorkspace(u"概览"_s);
        m_window.activateWindow();
        if (!QTest::qWaitForWindowActive(&m_window))
            fail(u"the window does not become active, so it gets no keys"_s);
        const size_t entries = m_store.entries().size();
        const QList<QDialog *> before = shownDialogs();
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : &m_window;
        const QString open = u"Ctrl+N"_s;
        const double opening = measure(open, [&] { QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier); });
        const QPointer<QDialog> sheet = newDialog(before);
        if (!sheet)
            fail(open + u": no sheet opened"_s);
        expectPainted(sheet, open);
        auto *amount = named<QLineEdit>(sheet, u"金额"_s);
        if (sheet->focusWidget() != amount)
            fail(open + u": the amount field does not have the focus"_s);
        double typing = 0;
        for (const char digit : {'3', '2'}) {
            const QString what = u"typing %1 in 金额"_s.arg(QLatin1Char(digit));
            typing += measure(what, [&] { QTest::keyClick(amount, digit); });
            expectPainted(sheet, what);
        }
        if (amount->text() != u"32"_s)
            fail(u"the amount field holds 「%1」"_s.arg(amount->text()));
        const QString save = u"Return in the add sheet"_s;
        const double saving = measure(save, [&] { QTest::keyClick(amount, Qt::Key_Return); });
        if (sheet && sheet->isVisible())
            fail(save + u": the sheet stayed open"_s);
        if (m_store.entries().size() != entries + 1)
            fail(save + u": no entry was recorded"_s);
        expectPainted(&m_window, save);
        return std::vector<double>{opening, typing, saving};
    });
    report(u"Ctrl+N, amount 32, Return → 概览 updated"_s, medians.back());
    report(u"  · Ctrl+N → add sheet shown"_s, medians.at(0));
    report(u"  · two amount keystrokes"_s, medians.at(1));
    report(u"  · Return → 概览 redrawn"_s, medians.at(2));
}

double DesktopDriver::tourPeakMiB()
{
    auto *list = named<QListWidget>(&m_window, u"工作区"_s);
    for (int row = 0; row < list->count(); ++row)
        showWorkspace(list->item(row)->text());
    showWorkspace(u"账单"_s);
    searchKeystroke(u"午"_s);
    idle();
    named<QLineEdit>(&m_window, searchFieldName)->clear();
    idle();
    return peakResidentMiB();
}

void DesktopDriver::measureTrends(const Report &report)
{
    // Empty books reach this year alone; one entry a year back gives the year a second choice,
    // as books of any age have.
    const int thisYear = Clock::now().toLocalTime().date().year();
    if (m_store.entries().empty() || m_store.entries().back().date.toLocalTime().date().year() == thisYear) {
        if (!m_store.insert(LedgerEntry(32, Clock::now().addYears(-1), EntryKind::expense, u"餐饮"_s)))
            fail(u"could not record an entry for the trends"_s);
        idle();
    }
    const std::vector<double> opened = mediansOfRuns([&] {
        showWorkspace(u"概览"_s);
        showWorkspace(u"统计"_s);
        auto *button = named<QPushButton>(&m_window, u"年度趋势"_s);
        const QString what = u"open 年度趋势"_s;
        const double time = measure(what, [&] { QTest::mouseClick(button, Qt::LeftButton); });
        named<QComboBox>(&m_window, u"分类"_s);
        expectPainted(&m_window, what);
        return std::vector<double>{time};
    });
    report(u"open 年度趋势 (统计 header click)"_s, opened.back());
    measureComboStep(report, u"年份"_s, u"趋势: another year (年份, arrow key)"_s);
    measureComboStep(report, u"分类"_s, u"趋势: another category (分类, arrow key)"_s);

    for (const QString &page : {u"年度账单"_s, u"消费日历"_s}) {
        const std::vector<double> medians = mediansOfRuns([&] {
            QTest::mouseClick(named<QPushButton>(&m_window, u"趋势"_s), Qt::LeftButton);
            idle();
            const QString what = u"open "_s + page;
            const double time = measure(
                what, [&] { QTest::mouseClick(named<QPushButton>(&m_window, page), Qt::LeftButton); });
            if (page == u"消费日历"_s)
                named<QComboBox>(&m_window, u"月份"_s);
            else
                named<QPushButton>(&m_window, u"分享"_s);
            expectPainted(&m_window, what);
            return std::vector<double>{time};
        });
        report(u"open %1 (click)"_s.arg(page), medians.back());
        measureComboStep(report, u"年份"_s, page + u": another year (年份, arrow key)"_s);
    }
    measureComboStep(report, u"月份"_s, u"消费日历: another month (月份, arrow key)"_s);
}

void DesktopDriver::measureComboStep(const Report &report, const QString &name, const QString &interaction)
{
    const std::vector<double> medians = mediansOfRuns([&] {
        auto *combo = named<QComboBox>(&m_window, name);
        combo->setFocus(Qt::TabFocusReason);
        idle();
        const int before = combo->currentIndex();
        const double time =
            measure(interaction, [&] { QTest::keyClick(combo, before == 0 ? Qt::Key_Down : Qt::Key_Up); });
        if (combo->currentIndex() == before)
            fail(interaction + u": the choice did not change"_s);
        expectPainted(&m_window, interaction);
        return std::vector<double>{time};
    });
    report(interaction, medians.back());
}
