#include "AssetAccountSection.h"

#include "AssetAccountCardDelegate.h"
#include "AssetAccountListModel.h"
#include "ui/Fonts.h"
#include "ui/Typography.h"

#include <QLabel>
#include <QListView>
#include <QResizeEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A list that wraps its cards into rows and is exactly as tall as those rows, so the page
// scrolls instead of the list.
class CardGrid final : public QListView {
public:
    CardGrid(AssetAccountCardDelegate *delegate, QWidget *parent) : QListView(parent), m_delegate(delegate)
    {
        setFlow(QListView::LeftToRight);
        setWrapping(true);
        setResizeMode(QListView::Adjust);
        setUniformItemSizes(true);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setMouseTracking(true);
        viewport()->setAutoFillBackground(false);
        setItemDelegate(delegate);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    void fit()
    {
        const int width = viewport()->width();
        const int minimum =
            AssetAccountCardDelegate::minimumCardWidth() + AssetAccountCardDelegate::cellMargin();
        const int columns = qMax(1, width / minimum);
        m_delegate->setCellWidth(qMax(minimum, width / columns));
        const int count = model() ? model()->rowCount() : 0;
        const int rows = (count + columns - 1) / columns;
        setFixedHeight(rows *
                       (AssetAccountCardDelegate::cardHeight() + AssetAccountCardDelegate::cellMargin()));
        doItemsLayout();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QListView::resizeEvent(event);
        if (event->size().width() != event->oldSize().width())
            fit();
    }

private:
    AssetAccountCardDelegate *m_delegate;
};

} // namespace

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

    auto *grid = new CardGrid(m_delegate, this);
    m_grid = grid;
    m_grid->setModel(m_model);
    m_grid->setAccessibleName(title);
    column->addWidget(m_grid);
    m_empty->setContentsMargins(6, 0, 6, 6);

    connect(m_delegate, &AssetAccountCardDelegate::manageClicked, this, &AssetAccountSection::manage);
    connect(m_grid, &QListView::activated, this, &AssetAccountSection::manage);
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
    static_cast<CardGrid *>(m_grid)->fit();
}

void AssetAccountSection::manage(const QModelIndex &index)
{
    if (const AssetAccount *account = m_model->accountAt(index))
        Q_EMIT manageRequested(*account);
}
