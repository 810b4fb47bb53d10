// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccountSection.h"

#include "AssetAccountCardDelegate.h"
#include "AssetAccountListModel.h"
#include "ui/CardGrid.h"
#include "ui/Fonts.h"
#include "ui/Spacing.h"
#include "ui/Typography.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AssetAccountSection::AssetAccountSection(const QString &title, const QString &subtitle, QWidget *parent)
    : Card(parent)
    , m_title(title)
    , m_empty(Typography::secondaryLabel(u"暂未添加"_s + title, this))
    , m_model(new AssetAccountListModel(this))
    , m_delegate(new AssetAccountCardDelegate(this))
{
    setRadius(18);
    setAccessibleName(title);
    auto *column = new QVBoxLayout(this);
    // The cards keep 6 points of their cell around them, so the texts move in by as much and
    // everything lines up on the 20-point padding.
    column->setContentsMargins(14, 20, 14, 14);
    column->setSpacing(4);

    auto *heading = new QLabel(title, this);
    Typography::makeHeadline(heading);
    heading->setContentsMargins(6, 0, 6, 0);
    column->addWidget(heading);
    QLabel *caption = Typography::secondaryLabel(subtitle, this);
    caption->setFont(Fonts::caption(caption->font()));
    caption->setContentsMargins(6, 0, 6, 0);
    column->addWidget(caption);
    column->addSpacing(10);

    m_empty->setAccessibleName(m_empty->text());
    column->addWidget(m_empty);

    m_grid = new CardGrid(this);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setMinimumColumnWidth(AssetAccountCardDelegate::minimumCardWidth());
    m_grid->setSpacing(Spacing::accountCardSpacing);
    m_grid->setCardRadius(AssetAccountCardDelegate::radius);
    // Half the spacing around the cards, so their edges line up with the texts above.
    const int ring = Spacing::accountCardSpacing / 2;
    m_grid->setContentsMargins(ring, ring, ring, ring);
    // A click lands on the card's own "管理" button; the card as a whole opens from the keyboard
    // or with a double click.
    m_grid->setClickOpens(false);
    m_grid->setModel(m_model);
    m_grid->setAccessibleName(title);
    column->addWidget(m_grid);
    m_empty->setContentsMargins(6, 0, 6, 6);

    connect(m_delegate, &AssetAccountCardDelegate::manageClicked, this, &AssetAccountSection::manage);
    connect(m_grid, &CardGrid::opened, this, &AssetAccountSection::manage);
    connect(m_grid, &CardGrid::doubleClicked, this, &AssetAccountSection::manage);
    connect(m_grid, &CardGrid::deleteRequested, this, [this](const QModelIndex &index) {
        if (const AssetAccount *account = m_model->accountAt(index))
            Q_EMIT deleteRequested(*account);
    });
    setAccounts({}, {});
}

void AssetAccountSection::setAccounts(const std::vector<AssetAccount> &accounts,
                                      const std::function<double(const AssetAccount &)> &balance)
{
    std::vector<double> balances;
    balances.reserve(accounts.size());
    for (const AssetAccount &account : accounts)
        balances.push_back(balance(account));
    m_model->setAccounts(accounts, balances);
    m_empty->setVisible(accounts.empty());
    m_grid->setVisible(!accounts.empty());
}

void AssetAccountSection::manage(const QModelIndex &index)
{
    if (const AssetAccount *account = m_model->accountAt(index))
        Q_EMIT manageRequested(*account);
}
