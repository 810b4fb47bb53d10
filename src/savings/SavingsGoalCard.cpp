// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsGoalCard.h"

#include "SavingsGoalFigures.h"
#include "ui/ElidedLabel.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Typography.h"
#include "ui/UsageBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int margin = 20;
constexpr int iconSize = 22;

} // namespace

SavingsGoalCard::SavingsGoalCard(QWidget *parent)
    : Card(parent)
    , m_name(new ElidedLabel(this))
    , m_percent(new QLabel(this))
    , m_deposited(new QLabel(this))
    , m_bar(new UsageBar(this))
    , m_target(new QLabel(this))
    , m_expected(new QLabel(this))
{
    setRadius(radius);
    setBorderColour(Palette::withAlpha(Palette::indigo(), 0.12));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(12);

    auto *top = new QHBoxLayout;
    top->setSpacing(8);
    auto *icon = new QLabel(this);
    icon->setPixmap(Icon::pixmap(u"target"_s, Palette::indigo(), iconSize, devicePixelRatioF()));
    top->addWidget(icon);
    Typography::makeHeadline(m_name);
    top->addWidget(m_name, 1);
    m_percent->setFont(Fonts::scaled(m_percent->font(), 0.95, QFont::DemiBold));
    Typography::setTextColour(m_percent, Palette::indigo());
    top->addWidget(m_percent);
    column->addLayout(top);

    Typography::makeTitle(m_deposited, 22);
    column->addWidget(m_deposited);

    column->addWidget(m_bar);

    auto *bottom = new QHBoxLayout;
    for (QLabel *caption : {m_target, m_expected}) {
        caption->setFont(Fonts::caption(caption->font()));
        Typography::makeSecondary(caption);
    }
    bottom->addWidget(m_target);
    bottom->addStretch(1);
    bottom->addWidget(m_expected);
    column->addLayout(bottom);

    // Inside a button the labels would take the button's text colour instead of their own.
    for (QLabel *label : findChildren<QLabel *>())
        label->setForegroundRole(QPalette::WindowText);
}

void SavingsGoalCard::setGoal(const SavingsGoal &goal, const SavingsGoalFigures &figures)
{
    m_name->setText(goal.name);
    m_percent->setText(figures.percentText());
    m_deposited->setText(figures.depositedText());
    m_bar->setFraction(figures.fraction());
    m_bar->setTint(figures.reached() ? Palette::income() : Palette::indigo());
    m_target->setText(figures.targetText());
    m_expected->setText(SavingsGoalFigures::expectedText(goal));
    setAccessibleName(accessibleSummary());
}

QString SavingsGoalCard::accessibleSummary() const
{
    return QStringList{m_name->text(), m_percent->text(), m_deposited->text(), m_target->text(),
                       m_expected->text()}
        .join(u"，"_s);
}
