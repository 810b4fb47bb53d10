// SPDX-License-Identifier: GPL-3.0-or-later
#include "SummaryChip.h"

#include "model/Money.h"
#include "ui/Fonts.h"
#include "ui/Typography.h"

#include <QLabel>
#include <QVBoxLayout>

SummaryChip::SummaryChip(const QString &title, const QColor &colour, QWidget *parent)
    : Card(parent), m_title(Typography::secondaryLabel(title, this)), m_value(new QLabel(this))
{
    setRadius(14);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *column = new QVBoxLayout(this);
    column->setSpacing(6);
    setPadding(14);
    m_title->setFont(Fonts::caption(m_title->font()));
    column->addWidget(m_title);
    Typography::makeHeadline(m_value);
    Typography::setTextColour(m_value, colour);
    column->addWidget(m_value);
    setValue(0);
}

void SummaryChip::setValue(double value)
{
    m_value->setText(Money::text(value));
    setAccessibleName(m_title->text() + u' ' + m_value->text());
}

QString SummaryChip::title() const
{
    return m_title->text();
}

QString SummaryChip::valueText() const
{
    return m_value->text();
}
