// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccountDetailView.h"

#include "AddAssetAmountView.h"
#include "AssetAccountLedgerView.h"
#include "AssetBrandIcon.h"
#include "AssetChangeDelegate.h"
#include "AssetChangeListModel.h"
#include "model/Money.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/ElidedLabel.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/ItemActions.h"
#include "ui/Palette.h"
#include "ui/Sheets.h"
#include "ui/Typography.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AssetAccountDetailView::AssetAccountDetailView(ModelStore &store, const AssetAccount &account,
                                               QWidget *parent)
    // Titled by refresh(), as the account can turn into a liability.
    : Sheet(QString(), SheetSize::Ledger, Dismiss::close, QString(), parent)
    , m_model(store, account)
    , m_ledger(Buttons::bordered(QString(), u"list.bullet.rectangle"_s, this))
    , m_deduction(Buttons::bordered(QString(), u"minus"_s, this))
    , m_increase(Buttons::bordered(QString(), u"plus"_s, this))
    , m_delete(Buttons::bordered(QString(), QString(), this))
    , m_name(new ElidedLabel(this))
    , m_kind(new ElidedLabel(this))
    , m_balance(new QLabel(this))
    , m_empty(new QLabel(this))
    , m_list(new QListView(this))
    , m_rows(new AssetChangeListModel(this))
    , m_delegate(new AssetChangeDelegate(true, this))
{
    m_delete->setIcon(Icon::icon(u"trash"_s, Palette::over(), 18));
    m_delete->setAccessibleName(u"删除"_s);
    m_delete->setToolTip(u"删除"_s);
    addTitleRow(TitlePlacement::leading, {m_ledger, m_deduction, m_increase, m_delete});
    QVBoxLayout *column = this->column();

    auto *summary = new Card(this);
    auto *summaryRow = new QHBoxLayout(summary);
    summaryRow->setContentsMargins(16, 14, 16, 14);
    summaryRow->setSpacing(12);
    summaryRow->addWidget(new AssetBrandIcon(m_model.account().kind, summary), 0, Qt::AlignVCenter);
    auto *names = new QVBoxLayout;
    names->setSpacing(2);
    Typography::makeHeadline(m_name);
    names->addWidget(m_name);
    m_kind->setFont(Fonts::caption(m_kind->font()));
    Typography::makeSecondary(m_kind);
    names->addWidget(m_kind);
    summaryRow->addLayout(names, 1);
    m_balance->setFont(Fonts::scaled(m_balance->font(), 1.55, QFont::Bold));
    summaryRow->addWidget(m_balance, 0, Qt::AlignVCenter);
    column->addWidget(summary);

    QLabel *heading = Typography::secondaryLabel(u"金额变动明细"_s, this);
    heading->setFont(Fonts::caption(heading->font()));
    column->addWidget(heading);

    auto *changes = new Card(this);
    auto *changesColumn = new QVBoxLayout(changes);
    changesColumn->setContentsMargins(4, 4, 4, 4);
    Typography::makeSecondary(m_empty);
    m_empty->setContentsMargins(12, 10, 12, 10);
    changesColumn->addWidget(m_empty);
    m_list->setModel(m_rows);
    m_list->setItemDelegate(m_delegate);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setMouseTracking(true);
    m_list->setAccessibleName(u"金额变动明细"_s);
    m_list->installEventFilter(this);
    // Assistive technology deletes a change as its trash button does.
    (new ItemActions(m_list))->add(ItemActions::deleteAction(), [this](const QModelIndex &row) {
        m_model.removeAdjustments({row.data(AssetChangeListModel::IdRole).toUuid()});
    });
    changesColumn->addWidget(m_list, 1);
    column->addWidget(changes, 1);

    connect(m_ledger, &QPushButton::clicked, &m_model, &AssetAccountDetailModel::showLedger);
    connect(m_deduction, &QPushButton::clicked, this,
            [this] { m_model.startOperation(AssetAmountOperation::deduction); });
    connect(m_increase, &QPushButton::clicked, this,
            [this] { m_model.startOperation(AssetAmountOperation::increase); });
    connect(m_delete, &QPushButton::clicked, &m_model, &AssetAccountDetailModel::requestDelete);
    connect(m_delegate, &AssetChangeDelegate::trashClicked, this, [this](const QModelIndex &index) {
        m_model.removeAdjustments({index.data(AssetChangeListModel::IdRole).toUuid()});
    });
    connect(&m_model, &AssetAccountDetailModel::changed, this, &AssetAccountDetailView::refresh);
    connect(&m_model, &AssetAccountDetailModel::sheetChanged, this, &AssetAccountDetailView::followSheet);
    connect(&m_model, &AssetAccountDetailModel::accountRemoved, this, &QDialog::accept);
    refresh();
}

void AssetAccountDetailView::refresh()
{
    const AssetAccount &account = m_model.account();
    const bool liability = m_model.isLiability();
    setTitle(m_model.title());
    const auto label = [liability](QPushButton *button, const QString &text) {
        button->setText(text);
        button->setAccessibleName(text);
    };
    label(m_ledger, AssetWording::ledgerButton(liability));
    label(m_deduction, AssetWording::toolbarText(AssetAmountOperation::deduction, liability));
    label(m_increase, AssetWording::toolbarText(AssetAmountOperation::increase, liability));
    m_name->setText(account.name);
    m_kind->setText(account.kind);
    m_balance->setText(Money::text(m_model.balance()));
    m_balance->setAccessibleName(m_balance->text());
    m_empty->setText(AssetWording::emptyListText(liability));
    m_rows->setRows(m_model.rows());
    m_empty->setVisible(m_model.rows().empty());
    m_list->setVisible(!m_model.rows().empty());
}

void AssetAccountDetailView::followSheet()
{
    const auto closed = [this] { m_model.closeSheet(); };
    if (m_model.confirmingDelete()) {
        Sheets::followConfirmation(m_sheet, true, this, AssetAccountDetailModel::deleteTitle(),
                                   AssetAccountDetailModel::deleteMessage(), u"删除"_s,
                                   [this](bool confirmed) {
                                       m_model.closeSheet();
                                       if (confirmed)
                                           m_model.deleteAccount();
                                   });
        return;
    }
    const bool showing = m_model.operation().has_value() || m_model.showingLedger();
    Sheets::follow(
        m_sheet, showing,
        [this]() -> QDialog * {
            if (m_model.showingLedger())
                return new AssetAccountLedgerView(m_model.store(), m_model.account(), this);
            return new AddAssetAmountView(m_model.store(), m_model.account(), *m_model.operation(), this);
        },
        closed);
}

void AssetAccountDetailView::removeSelected()
{
    QList<QUuid> ids;
    for (const QModelIndex &index : m_list->selectionModel()->selectedIndexes())
        ids.append(index.data(AssetChangeListModel::IdRole).toUuid());
    // Tab brings the keyboard to a current row without choosing it.
    if (ids.isEmpty() && m_list->currentIndex().isValid())
        ids.append(m_list->currentIndex().data(AssetChangeListModel::IdRole).toUuid());
    m_model.removeAdjustments(ids);
}

bool AssetAccountDetailView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            removeSelected();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
