// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportRowsModel.h"

#include "ImportSheetModel.h"
#include "model/Money.h"

using namespace Qt::StringLiterals;

ImportRowsModel::ImportRowsModel(ImportSheetModel &sheet, QObject *parent)
    : QAbstractTableModel(parent), m_sheet(sheet)
{
    connect(&m_sheet, &ImportSheetModel::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&m_sheet, &ImportSheetModel::rowChanged, this,
            [this](int row) { Q_EMIT dataChanged(index(row, 0), index(row, columnCount_ - 1)); });
}

int ImportRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_sheet.rows().size());
}

int ImportRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columnCount_;
}

bool ImportRowsModel::isRow(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && size_t(index.row()) < m_sheet.rows().size();
}

QString ImportRowsModel::text(int row, int column) const
{
    const ImportSheetModel::Row &shown = m_sheet.rows()[size_t(row)];
    switch (Column(column)) {
    case tick:
        return shown.ticked ? u"导入"_s : u"不导入"_s;
    case date:
        return shown.row.time.toString(u"yyyy-MM-dd HH:mm"_s);
    case kind:
        return EntryKinds::rawText(shown.row.kind);
    case category:
        return shown.row.category;
    case amount:
        return Money::text(shown.row.amount());
    case note:
        return shown.row.note;
    case status:
        switch (shown.status) {
        case ImportPreview::Status::fresh:
            return {};
        case ImportPreview::Status::alreadyImported:
            return u"已导入"_s;
        case ImportPreview::Status::possibleDuplicate:
            return u"可能重复"_s;
        }
        return {};
    case columnCount_:
        break;
    }
    return {};
}

QVariant ImportRowsModel::data(const QModelIndex &index, int role) const
{
    if (!isRow(index))
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        // The tick column shows its box only; its words are for assistive technology.
        return index.column() == tick ? QVariant() : QVariant(text(row, index.column()));
    case Qt::EditRole:
        return text(row, index.column());
    case Qt::AccessibleTextRole:
        return text(row, index.column());
    case Qt::CheckStateRole:
        if (index.column() == tick)
            return m_sheet.rows()[size_t(row)].ticked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == amount)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case kindRole:
        return EntryKinds::rawText(m_sheet.rows()[size_t(row)].row.kind);
    default:
        return {};
    }
}

bool ImportRowsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isRow(index))
        return false;
    if (index.column() == tick && role == Qt::CheckStateRole)
        return m_sheet.setTicked(index.row(), value.toInt() == Qt::Checked);
    if (index.column() == category && role == Qt::EditRole)
        return m_sheet.setCategory(index.row(), value.toString());
    return false;
}

Qt::ItemFlags ImportRowsModel::flags(const QModelIndex &index) const
{
    if (!isRow(index))
        return Qt::NoItemFlags;
    // A line imported before is shown for what it is, and nothing about it can change.
    if (m_sheet.rows()[size_t(index.row())].status == ImportPreview::Status::alreadyImported)
        return Qt::ItemNeverHasChildren;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == tick)
        flags |= Qt::ItemIsUserCheckable;
    if (index.column() == category)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ImportRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (Column(section)) {
    case tick:
        return u"导入"_s;
    case date:
        return u"日期"_s;
    case kind:
        return u"类型"_s;
    case category:
        return u"分类"_s;
    case amount:
        return u"金额"_s;
    case note:
        return u"备注"_s;
    case status:
        return u"状态"_s;
    case columnCount_:
        break;
    }
    return {};
}
