// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

class CategoryListModel;

// The tile grid of categories: each tile shows the category's icon in its accent colour and
// its name; one click chooses it. The grid owns no data: it shows the caller's list and
// reports the chosen name, and there is no way to clear the choice from the grid.
class CategoryPicker final : public QListView {
    Q_OBJECT

public:
    explicit CategoryPicker(QWidget *parent = nullptr, int columns = 5, int spacing = 10);

    void setCategories(const QStringList &categories);
    void setSelection(const QString &selection);
    QString selection() const;
    CategoryListModel *categoryModel() const { return m_model; }
    // The rectangle of a category's tile in viewport coordinates (empty when absent).
    QRect tileRect(const QString &category) const;

Q_SIGNALS:
    // The user clicked a tile.
    void selectionChanged(const QString &selection);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void updateGrid();

    CategoryListModel *m_model;
    int m_columns;
    int m_spacing;
};
