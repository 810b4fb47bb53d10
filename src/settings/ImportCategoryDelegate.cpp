// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCategoryDelegate.h"

#include "ImportRowsModel.h"
#include "model/EntryKind.h"
#include "model/LedgerCategories.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

QWidget *ImportCategoryDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                              const QModelIndex &index) const
{
    auto *combo = new QComboBox(parent);
    combo->setAccessibleName(u"分类"_s);
    const EntryKind kind =
        EntryKinds::fromRaw(index.data(ImportRowsModel::kindRole).toString()).value_or(EntryKind::expense);
    combo->addItems(LedgerCategories::forKind(kind));
    connect(combo, &QComboBox::activated, this, [this, combo] {
        Q_EMIT const_cast<ImportCategoryDelegate *>(this)->commitData(combo);
        Q_EMIT const_cast<ImportCategoryDelegate *>(this)->closeEditor(combo);
    });
    return combo;
}

void ImportCategoryDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
}

void ImportCategoryDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                          const QModelIndex &index) const
{
    model->setData(index, static_cast<QComboBox *>(editor)->currentText(), Qt::EditRole);
}
