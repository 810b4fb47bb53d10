// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetSupport.h"

#include "ui/SegmentedControl.h"
#include "ui/Theme.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

void TestSupport::prepareWidgets()
{
    Theme::apply();
}

void TestSupport::typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(widget, ch.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

void TestSupport::clickSegment(SegmentedControl *control, const QString &text)
{
    for (QPushButton *button : control->findChildren<QPushButton *>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(u"no segment "_s + text));
}

void TestSupport::retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    typeText(field, text);
}

void TestSupport::screenshot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("PENNYLOOM_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    // Item views lay out after a resize: let that settle first.
    QTest::qWait(100);
    widget->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

QPushButton *TestSupport::buttonOf(QWidget *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

QStringList TestSupport::accessibleChildNames(QWidget *widget)
{
    QStringList names;
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    for (int i = 0; face && i < face->childCount(); ++i)
        names.append(face->child(i)->text(QAccessible::Name));
    return names;
}

QStringList TestSupport::accessibleActions(QWidget *widget, int child)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    QAccessibleInterface *item = face ? face->child(child) : nullptr;
    QAccessibleActionInterface *actions = item ? item->actionInterface() : nullptr;
    return actions ? actions->actionNames() : QStringList();
}

bool TestSupport::doAccessibleAction(QWidget *widget, int child, const QString &action)
{
    if (!accessibleActions(widget, child).contains(action))
        return false;
    QAccessible::queryAccessibleInterface(widget)->child(child)->actionInterface()->doAction(action);
    return true;
}

bool TestSupport::marksKeyboardRow(QAbstractItemView *view, const QModelIndex &row)
{
    view->selectionModel()->clearSelection();
    view->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    view->clearFocus();
    const QRect rect = view->visualRect(row);
    const QImage unfocused = view->viewport()->grab(rect).toImage();
    view->activateWindow();
    view->setFocus(Qt::TabFocusReason);
    if (!QTest::qWaitFor([view] { return view->hasFocus(); }))
        return false;
    return view->viewport()->grab(rect).toImage() != unfocused;
}
