// SPDX-License-Identifier: GPL-3.0-or-later
#include "SegmentedControl.h"

#include "Palette.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

SegmentedControl::SegmentedControl(const QStringList &segments, QWidget *parent)
    : QWidget(parent), m_segments(segments), m_group(new QButtonGroup(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QString indigo = Palette::css(Palette::indigo());
    const QString border = Palette::css(Palette::controlBorder());
    const QString background = Palette::css(Palette::controlBackground());
    const QString onAccent = Palette::css(Palette::onAccent());
    for (int i = 0; i < segments.size(); ++i) {
        auto *button = new QPushButton(segments.at(i), this);
        button->setCheckable(true);
        button->setAccessibleName(segments.at(i));
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::TabFocus);
        const bool first = i == 0;
        const bool last = i == segments.size() - 1;
        button->setStyleSheet(
            u"QPushButton { border: 1px solid %5; background: %6; padding: 5px 14px;"
            " border-top-left-radius: %1px; border-bottom-left-radius: %1px;"
            " border-top-right-radius: %2px; border-bottom-right-radius: %2px; %3 }"
            "QPushButton:checked { background: %4; color: %7; border-color: %4; }"_s.arg(first ? 7 : 0)
                .arg(last ? 7 : 0)
                .arg(first ? QString() : u"border-left: none;"_s)
                .arg(indigo, border, background, onAccent));
        m_group->addButton(button, i);
        layout->addWidget(button, 1);
    }
    if (!segments.isEmpty())
        m_group->button(0)->setChecked(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Q_EMIT currentIndexChanged(id);
    });
}

int SegmentedControl::currentIndex() const
{
    return m_group->checkedId();
}

QString SegmentedControl::currentText() const
{
    const int index = currentIndex();
    return index >= 0 ? m_segments.at(index) : QString();
}

void SegmentedControl::setCurrentIndex(int index)
{
    if (auto *button = m_group->button(index))
        button->setChecked(true);
}
