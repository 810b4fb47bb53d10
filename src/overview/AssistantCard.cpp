// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssistantCard.h"

#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int cardWidth = 300;
constexpr int iconSize = 28;
constexpr qreal radius = 18;

} // namespace

AssistantCard::AssistantCard(QWidget *parent) : QWidget(parent), m_icon(new QLabel(this))
{
    setFixedWidth(cardWidth);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(20, 20, 20, 20);
    row->setSpacing(14);
    m_icon->setFixedSize(iconSize, iconSize);
    row->addWidget(m_icon, 0, Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(6);
    auto *heading = new QLabel(u"小助理"_s, this);
    Typography::makeHeadline(heading);
    texts->addWidget(heading);
    m_message = Typography::secondaryLabel(QString(), this);
    m_message->setWordWrap(true);
    QFont font = m_message->font();
    font.setPointSizeF(font.pointSizeF() * 0.95);
    m_message->setFont(font);
    texts->addWidget(m_message);
    texts->addStretch(1);
    row->addLayout(texts, 1);

    setState(DashboardModel::assistantFor(0, 0, false));
}

void AssistantCard::setFigures(double expense, double budget, bool isCustomPeriod)
{
    setState(DashboardModel::assistantFor(expense, budget, isCustomPeriod));
}

void AssistantCard::setState(const DashboardModel::Assistant &state)
{
    m_state = state;
    m_message->setText(state.message);
    m_message->setAccessibleName(state.message);
    m_icon->setPixmap(
        Icon::pixmap(state.symbol, Palette::tone(state.iconTone), iconSize, devicePixelRatioF()));
    update();
}

void AssistantCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool warning = m_state.backgroundTone != BudgetTone::indigo;
    const QColor fill =
        warning ? Palette::withAlpha(Palette::warning(), 0.13) : Palette::withAlpha(Palette::indigo(), 0.09);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), radius, radius);
    painter.fillPath(path, fill);
}
