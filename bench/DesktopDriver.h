// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QModelIndex>
#include <QString>

#include <functional>
#include <vector>

class ContentView;
class ModelStore;
class PaintClock;
class QDialog;
class QAbstractItemView;
class QWidget;

// Drives the program's window as a user does, with mouse clicks, keys and an input method's
// commit delivered to the controls the user would reach, each found by its accessible name.
// Every interaction is timed with the PaintClock from the input to the end of the last paint
// it causes, and checked to have done what it should; a control that cannot be found or an
// interaction that does not do its work ends the process with a message and exit status 1.
class DesktopDriver final {
public:
    using Report = std::function<void(const QString &interaction, double milliseconds)>;

    // On a store without entries, the row interactions first record one entry themselves.
    DesktopDriver(ContentView &window, ModelStore &store, PaintClock &paints, int runs);

    // Times every interaction runs times after one warm-up and reports the medians in order.
    void measureAll(const Report &report);
    // Shows every workspace and searches once; the process's peak resident memory, in MiB.
    double tourPeakMiB();

    [[noreturn]] static void fail(const QString &why);

private:
    // The medians over the runs of each step one run times, and of the steps' sum (last), after
    // one run not counted.
    std::vector<double> mediansOfRuns(const std::function<std::vector<double>()> &run) const;
    // Delivers the input and returns the milliseconds to the end of the last paint it caused.
    double measure(const QString &what, const std::function<void()> &input);
    void expectPainted(const QWidget *window, const QString &what) const;
    void idle() const;

    void clickWorkspace(const QString &title);
    void showWorkspace(const QString &title);
    QAbstractItemView *billsList() const;
    // The first entry row of the bills list, scrolled into view; records one if there is none.
    QModelIndex firstEntryRow();
    void searchKeystroke(const QString &character);

    void measureFirstBills(const Report &report);
    void measureWorkspaces(const Report &report);
    void measureSearch(const Report &report);
    void measureEditSheet(const Report &report);
    void measureDeletion(const Report &report);
    void measureQuickAdd(const Report &report);
    void measureTrends(const Report &report);
    // One step of the shown combo box named name, by the arrow keys as a user takes it: down
    // from its first item, otherwise up.
    void measureComboStep(const Report &report, const QString &name, const QString &interaction);

    ContentView &m_window;
    ModelStore &m_store;
    PaintClock &m_paints;
    int m_runs;
};
