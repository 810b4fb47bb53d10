// SPDX-License-Identifier: GPL-3.0-or-later
#include "UsageBar.h"

#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int barHeight = 6;
constexpr int steps = 1000;

} // namespace

UsageBar::UsageBar(QWidget *parent) : QProgressBar(parent), m_tint(Palette::indigo())
{
    setRange(0, steps);
    setValue(0);
    setTextVisible(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void UsageBar::setFraction(double fraction)
{
    m_fraction = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    setValue(static_cast<int>(std::lround(m_fraction * steps)));
    update();
}

void UsageBar::setTint(const QColor &tint)
{
    m_tint = tint;
    update();
}

QSize UsageBar::sizeHint() const
{
    return {160, barHeight};
}

QSize UsageBar::minimumSizeHint() const
{
    return {barHeight * 2, barHeight};
}

void UsageBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0, (height() - barHeight) / 2.0, 0, 0);
    const QRectF trackRect(track.left(), track.top(), track.width(), barHeight);
    const qreal radius = barHeight / 2.0;

    QPainterPath trackPath;
    trackPath.addRoundedRect(trackRect, radius, radius);
    painter.fillPath(trackPath, Palette::withAlpha(m_tint, 0.16));

    if (m_fraction <= 0)
        return;
    // The filled part is clipped to the track so a sliver still has the track's round ends.
    painter.setClipPath(trackPath);
    QRectF filled = trackRect;
    filled.setWidth(std::max(trackRect.width() * m_fraction, static_cast<qreal>(barHeight)));
    QPainterPath fillPath;
    fillPath.addRoundedRect(filled, radius, radius);
    painter.fillPath(fillPath, m_tint);
}
