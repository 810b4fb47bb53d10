// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLocale>

#include <cstdlib>
#include <ctime>

// Every benchmark runs in the same zone and locale as the tests, so figures compare.
namespace BenchSetup {

inline void pin()
{
    qputenv("TZ", "Asia/Shanghai");
    tzset();
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

} // namespace BenchSetup
