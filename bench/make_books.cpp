// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated store for trying the program with years of data:
//   make_books 100000 /tmp/books/pennyloom.sqlite
//   PENNYLOOM_DATA_DIR=/tmp/books ./build/pennyloom
// The books end now, and their days are those of the local time zone.
#include "LedgerGenerator.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const int n = args.size() == 3 ? args.at(1).toInt(&ok) : 0;
    if (!ok || n < 0) {
        std::fprintf(stderr, "usage: make_books ENTRIES FILE\n");
        return 2;
    }
    if (QFileInfo::exists(args.at(2))) {
        std::fprintf(stderr, "make_books: %s exists; it is left alone\n", qPrintable(args.at(2)));
        return 1;
    }
    QString error;
    if (!LedgerGenerator::write(args.at(2), n, QDateTime::currentDateTime(), &error)) {
        std::fprintf(stderr, "make_books: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
