// SPDX-License-Identifier: GPL-3.0-or-later
// The floor under "pennyloom import": the least a program must do to import a bill into a
// store, with nothing around it (no lock, no bus, no preview of duplicates, no report).
//   import_floor bill 100000 /tmp/bill.csv          writes a generated WeChat Pay bill
//   import_floor /tmp/books/pennyloom.sqlite /tmp/bill.csv
// loads the whole store, reads the bill and inserts its rows in one transaction. Compare with
//   farm-bench --vs 'import_floor STORE BILL' -- 'PENNYLOOM_DATA_DIR=… pennyloom import BILL'
#include "BenchSetup.h"
#include "BillGenerator.h"
#include "import/ImportFile.h"
#include "import/ImportReader.h"
#include "settings/ImportPreview.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("bill")) {
        QFile out(args.at(3));
        if (!out.open(QIODevice::WriteOnly) || out.write(BillGenerator::wechatBill(args.at(2).toInt())) < 0) {
            std::fprintf(stderr, "import_floor: cannot write %s\n", qPrintable(args.at(3)));
            return 1;
        }
        return 0;
    }
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: import_floor bill ROWS FILE | import_floor STORE BILL\n");
        return 2;
    }
    QString error;
    const std::unique_ptr<ModelStore> store = ModelStore::open(args.at(1), &error);
    if (!store) {
        std::fprintf(stderr, "import_floor: %s\n", qPrintable(error));
        return 1;
    }
    std::vector<ModelStore::ImportRow> rows;
    {
        const ImportResult read = ImportReader::read(ImportFile::load(args.at(2)), ImportCategorizer());
        if (!read.ok()) {
            std::fprintf(stderr, "import_floor: %s\n", qPrintable(read.fileError));
            return 1;
        }
        rows.reserve(read.rows.size());
        for (const ImportRow &row : read.rows)
            rows.push_back(ImportPreview::storeRow(row));
    }
    const std::optional<ModelStore::ImportResult> written = store->importEntries(rows);
    if (!written) {
        std::fprintf(stderr, "import_floor: the store did not take the rows\n");
        return 1;
    }
    std::printf("%zu\n", written->inserted.size());
    return 0;
}
