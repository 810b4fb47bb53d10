// SPDX-License-Identifier: GPL-3.0-or-later
#include "ElidedLabel.h"

#include "ElidedText.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// What the label asks for at most: a short name shows whole, a long one takes what its row
// leaves over instead of pushing the row's buttons out.
constexpr int preferredWidthLimit = 360;

} // namespace

ElidedLabel::ElidedLabel(QWidget *parent) : ElidedLabel(QString(), parent) {}

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setText(text);
}

void ElidedLabel::setText(const QString &text)
{
    QLabel::setText(text);
    setToolTip(text);
    setAccessibleName(text);
    updateGeometry();
}

QString ElidedLabel::oneLine() const
{
    return ElidedText::oneLine(text());
}

QRect ElidedLabel::textRect() const
{
    const int inset = margin();
    return contentsRect().adjusted(inset, inset, -inset, -inset);
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(oneLine(), Qt::ElideRight, textRect().width());
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins frame = contentsMargins();
    const int extra = 2 * margin();
    const QFontMetrics metrics = fontMetrics();
    const int width = std::min(metrics.horizontalAdvance(oneLine()), preferredWidthLimit);
    return {width + frame.left() + frame.right() + extra,
            metrics.height() + frame.top() + frame.bottom() + extra};
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize preferred = sizeHint();
    const QMargins frame = contentsMargins();
    const int extra = 2 * margin();
    // Room for "…" and a character or two before it.
    const int least =
        std::min(fontMetrics().horizontalAdvance(u"中中…"_s), fontMetrics().horizontalAdvance(oneLine()));
    return {least + frame.left() + frame.right() + extra, preferred.height()};
}

void ElidedLabel::paintEvent(QPaintEvent *event)
{
    // The frame as QLabel draws it; the text cut to the width instead of QLabel's whole line.
    QFrame::paintEvent(event);
    QPainter painter(this);
    style()->drawItemText(&painter, textRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shownText(), foregroundRole());
}
