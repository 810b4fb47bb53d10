// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// Runs readers that are not ours (Debian's Python with zipfile and openpyxl, unzip) on the
// files the tests wrote.
namespace ArchiveReader {

struct Run {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

inline Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, process.errorString().toUtf8()};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Runs the Python source on the file and parses what it prints as JSON. Debian's own
// interpreter first: it is the one with python3-openpyxl.
inline QJsonDocument python(const QString &source, const QString &file, QByteArray *errors)
{
    QTemporaryDir dir;
    QFile script(dir.filePath(QStringLiteral("read.py")));
    if (!script.open(QIODevice::WriteOnly) || script.write(source.toUtf8()) < 0)
        return {};
    script.close();
    QString interpreter =
        QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (interpreter.isEmpty())
        interpreter = QStringLiteral("python3");
    const Run result = run(interpreter, {script.fileName(), file});
    *errors = result.errors;
    return result.exitCode == 0 ? QJsonDocument::fromJson(result.output) : QJsonDocument();
}

} // namespace ArchiveReader
