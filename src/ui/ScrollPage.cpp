#include "ScrollPage.h"

#include <QScrollArea>
#include <QVBoxLayout>

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
