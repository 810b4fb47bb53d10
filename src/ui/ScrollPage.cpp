// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollPage.h"

#include "Palette.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// The column asks for its full maximum width, so that the centring layout gives it all the
// room up to that width and centres it beyond.
class ContentColumn final : public QWidget {
public:
    ContentColumn(int maximumWidth, QWidget *parent) : QWidget(parent), m_maximumWidth(maximumWidth)
    {
        setMaximumWidth(maximumWidth);
    }

    QSize sizeHint() const override { return {m_maximumWidth, QWidget::sizeHint().height()}; }

private:
    int m_maximumWidth;
};

} // namespace

QWidget *ScrollPage::fill(QWidget *screen, const QColor &background)
{
    auto *outer = new QVBoxLayout(screen);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(screen);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(scroll);

    auto *page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, background);
    page->setPalette(palette);
    scroll->setWidget(page);
    return page;
}

ScrollPage::Column ScrollPage::centredColumn(QWidget *screen, int padding, int maximumWidth, int spacing)
{
    QWidget *page = fill(screen, Palette::windowBackground());
    auto *centring = new QHBoxLayout(page);
    centring->setContentsMargins(padding, padding, padding, padding);
    auto *content = new ContentColumn(maximumWidth, page);
    centring->addWidget(content, 0, Qt::AlignHCenter);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    return {content, column};
}
