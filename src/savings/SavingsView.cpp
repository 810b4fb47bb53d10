#include "SavingsView.h"

#include "AddSavingsGoalView.h"
#include "SavingsGoalCard.h"
#include "SavingsGoalDetailView.h"
#include "store/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/EmptyState.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/Sheets.h"
#include "ui/WorkspaceHeader.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 32;
constexpr int maximumContentWidth = 1200;
constexpr int blockSpacing = 20;
constexpr int minimumColumnWidth = 300;
constexpr int cellSpacing = 16;

// The column of blocks: it asks for its whole maximum width, so the centring layout gives it
// all the room up to that width and centres it beyond.
// A goal's card as a plain button: the card draws itself; the button adds the press, the
// keyboard focus and a focus ring.
class GoalButton final : public QAbstractButton {
public:
    explicit GoalButton(QWidget *parent) : QAbstractButton(parent), m_card(new SavingsGoalCard(this))
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_card);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    SavingsGoalCard *card() const { return m_card; }

    void setGoal(const SavingsGoal &goal, const SavingsGoalFigures &figures)
    {
        m_card->setGoal(goal, figures);
        setAccessibleName(m_card->accessibleSummary());
    }

    QSize sizeHint() const override { return layout()->sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override {}

    // The ring is drawn over the card, after it.
    bool event(QEvent *event) override
    {
        const bool handled = QAbstractButton::event(event);
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            m_card->setBorderColour(hasFocus() ? Palette::indigo()
                                               : Palette::withAlpha(Palette::indigo(), 0.12));
        return handled;
    }

private:
    SavingsGoalCard *m_card;
};

} // namespace

SavingsView::SavingsView(ModelStore &store, QWidget *parent)
    : QWidget(parent)
    , m_model(store)
    , m_add(nullptr)
    , m_emptyPanel(nullptr)
    , m_grid(nullptr)
    , m_gridLayout(nullptr)
{
    const ScrollPage::Column page =
        ScrollPage::centredColumn(this, padding, maximumContentWidth, blockSpacing);
    QWidget *content = page.content;
    QVBoxLayout *column = page.layout;

    auto *header = new WorkspaceHeader(u"存钱计划"_s, u"为想要的目标留出一笔确定的钱"_s, content);
    m_add = Buttons::prominent(u"新增目标"_s, u"plus"_s, header);
    header->addAction(m_add);
    column->addWidget(header);

    auto *emptyCard = new Card(content);
    emptyCard->setMinimumHeight(300);
    auto *emptyLayout = new QVBoxLayout(emptyCard);
    emptyLayout->addWidget(new EmptyState(u"target"_s, u"还没有存钱目标"_s,
                                          u"新建一个目标，记录预期日期和每次存入金额。"_s, emptyCard));
    m_emptyPanel = emptyCard;
    column->addWidget(m_emptyPanel);

    m_grid = new QWidget(content);
    m_gridLayout = new QGridLayout(m_grid);
    m_gridLayout->setContentsMargins(0, 0, 0, 0);
    m_gridLayout->setHorizontalSpacing(cellSpacing);
    m_gridLayout->setVerticalSpacing(cellSpacing);
    column->addWidget(m_grid);
    column->addStretch(1);

    content->installEventFilter(this);

    connect(m_add, &QPushButton::clicked, &m_model, &SavingsModel::startAddGoal);
    connect(&m_model, &SavingsModel::goalsChanged, this, &SavingsView::rebuildCards);
    connect(&m_model, &SavingsModel::totalsChanged, this, &SavingsView::refreshFigures);
    connect(&m_model, &SavingsModel::showingAddGoalChanged, this, [this](bool showing) {
        Sheets::follow(
            m_addForm, showing, [this] { return new AddSavingsGoalView(m_model, this); },
            [this] { m_model.cancelAddGoal(); });
    });
    connect(&m_model, &SavingsModel::selectedGoalChanged, this, [this] {
        const std::optional<QUuid> selected = m_model.selectedGoal();
        const SavingsGoal *goal = selected ? m_model.store().find<SavingsGoal>(*selected) : nullptr;
        Sheets::follow(
            m_detail, goal != nullptr,
            [this, goal] { return new SavingsGoalDetailView(m_model.store(), m_model.index(), *goal, this); },
            [this] { m_model.closeGoal(); });
    });
    rebuildCards();
}

int SavingsView::columnsFor(int width)
{
    return std::max(1, (width + cellSpacing) / (minimumColumnWidth + cellSpacing));
}

SavingsGoalCard *SavingsView::card(int position) const
{
    if (position < 0 || position >= static_cast<int>(m_buttons.size()))
        return nullptr;
    return static_cast<GoalButton *>(m_buttons[static_cast<size_t>(position)])->card();
}

void SavingsView::rebuildCards()
{
    for (QAbstractButton *button : m_buttons) {
        m_gridLayout->removeWidget(button);
        button->hide();
        button->deleteLater();
    }
    m_buttons.clear();
    for (const SavingsGoal &goal : m_model.goals()) {
        auto *button = new GoalButton(m_grid);
        const QUuid id = goal.id;
        connect(button, &QAbstractButton::clicked, &m_model, [this, id] { m_model.selectGoal(id); });
        m_buttons.push_back(button);
    }
    const bool empty = m_buttons.empty();
    m_emptyPanel->setVisible(empty);
    m_grid->setVisible(!empty);
    refreshFigures();
    m_columns = 0;
    placeCards();
}

void SavingsView::refreshFigures()
{
    const std::vector<SavingsGoal> &goals = m_model.goals();
    for (size_t i = 0; i < goals.size() && i < m_buttons.size(); ++i)
        static_cast<GoalButton *>(m_buttons[i])->setGoal(goals[i], m_model.figures(goals[i]));
}

void SavingsView::placeCards()
{
    const int columns = columnsFor(m_grid->parentWidget()->width());
    if (columns == m_columns)
        return;
    for (QAbstractButton *button : m_buttons)
        m_gridLayout->removeWidget(button);
    for (int c = 0; c < m_gridLayout->columnCount(); ++c)
        m_gridLayout->setColumnStretch(c, 0);
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const int at = static_cast<int>(i);
        m_gridLayout->addWidget(m_buttons[i], at / columns, at % columns);
        m_buttons[i]->show();
    }
    // Equal columns, even in a row that is not full.
    for (int c = 0; c < columns; ++c)
        m_gridLayout->setColumnStretch(c, 1);
    m_columns = columns;
}

bool SavingsView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->parentWidget() && event->type() == QEvent::Resize)
        placeCards();
    return QWidget::eventFilter(watched, event);
}
