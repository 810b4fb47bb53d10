// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "model/ProgramLocale.h"

#include <QCoreApplication>
#include <QTest>

// Qt's own dialogs and menus speak the program's language once its translations are installed.
class ProgramLocaleTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void qtTextsAreChinese_data();
    void qtTextsAreChinese();
};

void ProgramLocaleTest::initTestCase()
{
    QVERIFY2(ProgramLocale::installQtTranslations(*QCoreApplication::instance()),
             "qtbase_zh_CN.qm is missing: install qt6-translations-l10n");
}

void ProgramLocaleTest::qtTextsAreChinese_data()
{
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("standard cancel button")
        << QByteArray("QPlatformTheme") << QByteArray("Cancel") << QStringLiteral("取消");
    QTest::newRow("text field's copy")
        << QByteArray("QLineEdit") << QByteArray("&Copy") << QStringLiteral("复制(&C)");
    QTest::newRow("file dialog's replace question")
        << QByteArray("QFileDialog") << QByteArray("%1 already exists.\nDo you want to replace it?")
        << QStringLiteral("%1 已存在。\n您想要替换它吗？");
}

void ProgramLocaleTest::qtTextsAreChinese()
{
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, source);
    QFETCH(QString, chinese);
    QCOMPARE(QCoreApplication::translate(context.constData(), source.constData()), chinese);
}

PENNYLOOM_TEST(ProgramLocaleTest)
#include "tst_ProgramLocale.moc"
