// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandRunner.h"

#include <QProcess>

CommandRunner::~CommandRunner() = default;

CommandRunner::Result CommandRunner::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    // systemctl answers in well under a second; a hung manager must not freeze the switch.
    if (!process.waitForStarted(5000) || !process.waitForFinished(10000)) {
        Result result{-1, process.errorString()};
        process.kill();
        process.waitForFinished(1000);
        return result;
    }
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit)
        return {-1, output};
    return {process.exitCode(), output};
}
