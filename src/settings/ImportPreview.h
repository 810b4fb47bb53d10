// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ColumnMapping.h"
#include "import/ImportCategorizer.h"
#include "import/ImportFile.h"
#include "import/ImportResult.h"
#include "store/ModelStore.h"

#include <QHash>

#include <optional>
#include <vector>

// One reading of a file held against the store: every row the reader made, and for each whether
// it is new, a line the store imported before, or one that looks like an entry already held (a
// line without a transaction id on the same day, of the same amount, kind and note). The import
// sheet and the command line both start from it, so they count alike.
class ImportPreview {
public:
    enum class Status { fresh, alreadyImported, possibleDuplicate };

    // Reads the file with the store's category rules. A table file is read with the mapping
    // given, else the one the store remembers for its header, else the guessed one. Without a
    // store (none exists yet) every row is new.
    // A QIF file's dates are read in the given order (automatic: as its dates tell).
    static ImportPreview read(const ModelStore *store, const ImportFile &file,
                              const std::optional<ColumnMapping> &mapping = std::nullopt,
                              ImportDateOrder dateOrder = ImportDateOrder::automatic);
    // read() in its two halves. The rows of the file, read with a categoriser made beforehand
    // and the mapping a table file is read with; no store is touched, so a worker thread may
    // do this while the window goes on.
    static ImportResult readRows(const ImportFile &file, const ImportCategorizer &categorizer,
                                 const std::optional<ColumnMapping> &mapping, ImportDateOrder dateOrder);
    // Then, on the store's thread, each row held against the store.
    static ImportPreview classify(const ModelStore *store, ImportResult read,
                                  std::optional<ColumnMapping> mapping);
    // The mapping a table file is read with when the user has not chosen one.
    static ColumnMapping mappingFor(const ModelStore *store, const ImportFile &file);
    // The store's category rules and the user's choices for files' own category names, for
    // the categoriser.
    static ImportCategorizer categorizer(const ModelStore *store);
    // Our category for each file category name the user has chosen one for ("食品:杂货" →
    // 餐饮), kept in the store beside the column mappings, and the way to add one.
    static QHash<QString, QString> fileCategories(const ModelStore *store);
    static bool rememberFileCategory(ModelStore &store, const QString &fileCategory, const QString &ours);
    // The row as the store writes it: the entry and where it came from.
    static ModelStore::ImportRow storeRow(const ImportRow &row);

    const ImportResult &result() const { return m_result; }
    // One per row of result().
    const std::vector<Status> &statuses() const { return m_statuses; }
    int count(Status status) const;
    // The mapping the rows were read with; for a table file only.
    const std::optional<ColumnMapping> &mapping() const { return m_mapping; }

    // The new rows, in file order, as the store writes them: what an import takes when nobody
    // picks rows by hand. Possible duplicates are left out.
    std::vector<ModelStore::ImportRow> freshRows() const;
    // Moves the rows out, for a holder that keeps its own copy of each (the sheet's rows):
    // a large file's rows are held once. The counts and statuses stay.
    std::vector<ImportRow> takeRows() { return std::move(m_result.rows); }

private:
    ImportResult m_result;
    std::vector<Status> m_statuses;
    std::optional<ColumnMapping> m_mapping;
};
