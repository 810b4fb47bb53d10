// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#ifdef PENNYLOOM_WIDGET_TESTS
#include "WidgetSupport.h"

#include <QApplication>
using TestApplication = QApplication;
#else
// Logic tests link the core only and run without a display.
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <QTest>

#include <cstdio>

std::vector<TestRegistry::Entry> &TestRegistry::entries()
{
    static std::vector<Entry> all;
    return all;
}

// Runs every registered test class. PENNYLOOM_TEST_CLASS=Name runs only that class, and
// further command-line arguments (test function names, -v2, ...) are handed to it.
int main(int argc, char **argv)
{
    TestSupport::pinEnvironment();
    TestApplication app(argc, argv);
    TestSupport::prepareApplication();
#ifdef PENNYLOOM_WIDGET_TESTS
    TestSupport::prepareWidgets();
#endif

    const QByteArray only = qgetenv("PENNYLOOM_TEST_CLASS");
    int failedClasses = 0;
    int ranClasses = 0;
    for (const auto &entry : TestRegistry::entries()) {
        if (!only.isEmpty() && only != entry.name)
            continue;
        auto test = entry.make();
        const int failures =
            only.isEmpty() ? QTest::qExec(test.get(), 1, argv) : QTest::qExec(test.get(), argc, argv);
        ++ranClasses;
        if (failures != 0)
            ++failedClasses;
    }
    std::printf("%d passed, %d failed\n", ranClasses - failedClasses, failedClasses);
    return failedClasses == 0 ? 0 : 1;
}
