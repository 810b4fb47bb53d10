// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Runs an external program to its end. Tests replace it to see the commands without running
// them.
class CommandRunner {
public:
    struct Result {
        // -1 when the program could not be started or did not finish.
        int exitCode = -1;
        // Its standard error and output, or why it did not run.
        QString output;

        bool succeeded() const { return exitCode == 0; }
    };

    virtual ~CommandRunner();
    virtual Result run(const QString &program, const QStringList &arguments);
};
