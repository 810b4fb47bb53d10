// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollPage.h"

#include "FocusRing.h"
#include "Palette.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
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

// The outline over a scroll area that has the keyboard, above the page and its scroll bar.
class PageFocusFrame final : public QWidget {
public:
    explicit PageFocusFrame(QScrollArea *scroll) : QWidget(scroll), m_scroll(scroll)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
        scroll->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_scroll) {
            switch (event->type()) {
            case QEvent::FocusIn:
                setGeometry(m_scroll->rect());
                raise();
                show();
                break;
            case QEvent::FocusOut:
                hide();
                break;
            case QEvent::Resize:
                setGeometry(m_scroll->rect());
                break;
            default:
                break;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        FocusRing::paint(painter, rect(), 6);
    }

private:
    QScrollArea *m_scroll;
};

} // namespace

void ScrollPage::markFocus(QScrollArea *scroll)
{
    scroll->setFocusPolicy(Qt::TabFocus);
    new PageFocusFrame(scroll);
}

QWidget *ScrollPage::fill(QWidget *screen, const QColor &background)
{
    auto *outer = new QVBoxLayout(screen);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(screen);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // The column follows the window's width; only a window narrower than the page's least width
    // scrolls sideways, so that nothing is cut off at the right edge.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    markFocus(scroll);
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
