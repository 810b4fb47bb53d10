// SPDX-License-Identifier: GPL-3.0-or-later
#include "BalanceCard.h"

#include "model/Money.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal radius = 24;
constexpr int padding = 22;

QColor white(qreal opacity)
{
    return Palette::withAlpha(Palette::onAccent(), opacity);
}

QLabel *whiteLabel(QWidget *parent, qreal opacity, qreal scale, QFont::Weight weight)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setWeight(weight);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, white(opacity));
    label->setPalette(palette);
    return label;
}

// A caption-sized figure with its symbol in front.
QLabel *figure(QWidget *parent, QHBoxLayout *row, const QString &symbol)
{
    auto *pair = new QHBoxLayout;
    pair->setSpacing(5);
    auto *icon = new QLabel(parent);
    icon->setPixmap(Icon::pixmap(symbol, white(0.85), 14, parent->devicePixelRatioF()));
    pair->addWidget(icon);
    auto *text = whiteLabel(parent, 0.85, 0.85, QFont::Medium);
    pair->addWidget(text);
    row->addLayout(pair);
    return text;
}

} // namespace

BalanceCard::BalanceCard(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(6);

    m_title = whiteLabel(this, 0.8, 0.95, QFont::Medium);
    column->addWidget(m_title);
    m_caption = whiteLabel(this, 0.85, 0.95, QFont::Normal);
    column->addWidget(m_caption);

    m_balance = new QLabel(this);
    QFont big = m_balance->font();
    big.setPixelSize(34);
    big.setBold(true);
    m_balance->setFont(big);
    QPalette palette = m_balance->palette();
    palette.setColor(QPalette::WindowText, Palette::onAccent());
    m_balance->setPalette(palette);
    m_balance->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_balance);
    column->addStretch(1);

    auto *figures = new QHBoxLayout;
    figures->setSpacing(12);
    m_budget = figure(this, figures, u"wallet.bifold.fill"_s);
    figures->addStretch(1);
    m_income = figure(this, figures, u"arrow.down.left"_s);
    figures->addStretch(1);
    m_expense = figure(this, figures, u"arrow.up.right"_s);
    column->addLayout(figures);
}

void BalanceCard::setFigures(const QString &periodTitle, const QString &caption, double balance,
                             double budget, double income, double expense)
{
    m_title->setText(periodTitle);
    m_caption->setText(caption);
    m_balance->setText(Money::text(balance));
    m_balance->setAccessibleName(caption + u" "_s + m_balance->text());
    m_budget->setText(u"总预算 "_s + Money::text(budget));
    m_income->setText(u"收入 "_s + Money::text(income));
    m_expense->setText(u"支出 "_s + Money::text(expense));
    for (QLabel *label : {m_title, m_caption, m_budget, m_income, m_expense})
        label->setAccessibleName(label->text());
}

void BalanceCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
    gradient.setColorAt(0, Palette::indigo());
    gradient.setColorAt(1, Palette::blue());
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), radius, radius);
    painter.fillPath(path, gradient);
}
