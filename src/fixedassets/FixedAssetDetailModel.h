// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FixedAssetFigures.h"
#include "model/FixedAsset.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

class ModelStore;

// The detail of one item, read live from the store: after an edit its figures change at
// once, and months used and left follow today's date on each refresh. The item is held by
// id, so a deletion anywhere ends the detail instead of leaving a stale copy on screen.
class FixedAssetDetailModel final : public QObject {
    Q_OBJECT

public:
    struct InfoRow {
        QString label;
        QString value;
    };

    FixedAssetDetailModel(ModelStore &store, const QUuid &id, QObject *parent = nullptr);

    ModelStore &store() const { return m_store; }
    QUuid id() const { return m_id; }
    // The stored item, or nullptr once it is gone.
    const FixedAsset *asset() const;
    FixedAssetFigures figures() const { return m_figures; }
    // The "资产信息" rows in order; "备注" only when there is a note.
    QList<InfoRow> infoRows() const;

    bool showingEdit() const { return m_showingEdit; }
    void setShowingEdit(bool showing);
    bool confirmingDelete() const { return m_confirmingDelete; }
    void setConfirmingDelete(bool confirming);
    // Removes the item and ends the detail. False, with the detail left open, when the
    // store refused.
    bool deleteAsset();

    void refresh();

    static QString deleteTitle();
    static QString deleteMessage();

Q_SIGNALS:
    void changed();
    void showingEditChanged(bool showing);
    void confirmingDeleteChanged(bool confirming);
    // The item is no longer in the store: the detail closes.
    void ended();

private:
    ModelStore &m_store;
    QUuid m_id;
    FixedAssetFigures m_figures;
    bool m_showingEdit = false;
    bool m_confirmingDelete = false;
    bool m_ended = false;
};
