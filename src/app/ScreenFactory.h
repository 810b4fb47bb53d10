// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Workspace.h"

class ContentModel;
class ModelStore;
class StoreIndexes;
class QWidget;

// Makes the screen of a workspace for the window's detail pane, named "workspace:<title>", and
// wires what the screen asks of the shell (the entry forms, the budgets over the dashboard,
// the recurring rules over the bills) to
// the window's model. Each call makes a new screen with fresh transient state.
class ScreenFactory final {
public:
    ScreenFactory(ModelStore &store, StoreIndexes &indexes, ContentModel &model);

    QWidget *make(Workspace workspace) const;

private:
    QWidget *makeScreen(Workspace workspace) const;
    QWidget *makeOverview() const;
    QWidget *makeBills() const;

    ModelStore &m_store;
    StoreIndexes &m_indexes;
    ContentModel &m_model;
};
