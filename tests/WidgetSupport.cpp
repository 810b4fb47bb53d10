#include "WidgetSupport.h"

#include "ui/Theme.h"

#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QWidget>

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
