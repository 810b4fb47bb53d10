// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sheet.h"

#include "Buttons.h"
#include "ElidedLabel.h"
#include "Spacing.h"
#include "Typography.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// How a sheet of a size opens: its least width in full-width characters of its font, the
// lines of text tall it opens at least (a list that grows fills the rest), and its margins.
struct Measure {
    int characters;
    int lines;
    QMargins margins;
};

// By SheetSize, in its order.
constexpr std::array measures{
    Measure{31, 0, Spacing::sheetMargins},         // Form
    Measure{34, 0, Spacing::sheetMargins},         // Detail
    Measure{42, 30, Spacing::sheetMargins},        // Ledger
    Measure{49, 0, Spacing::sheetMargins},         // Chart
    Measure{51, 0, Spacing::sentenceSheetMargins}, // Sentence
    Measure{58, 32, Spacing::entrySheetMargins},   // Entry
    Measure{64, 30, Spacing::sheetMargins},        // Import
};
static_assert(measures.size() == size_t(SheetSize::Import) + 1, "one measure for every sheet size");

// The gap between "关闭" and a leading title.
constexpr int leadingTitleGap = 8;

// The free area of the screen the sheet opens on, less room for the title bar and borders the
// window system adds.
QSize freeRoom(const QWidget *sheet)
{
    const QWidget *over = sheet->parentWidget() ? sheet->parentWidget()->window() : sheet;
    const QScreen *screen = over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    const int frame = sheet->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sheet);
    return screen->availableGeometry().size() - QSize(0, frame);
}

} // namespace

Sheet::Sheet(const QString &title, SheetSize size, Dismiss dismiss, const QString &confirmText,
             QWidget *parent)
    : QDialog(parent)
    , m_size(size)
    , m_scroll(new QScrollArea(this))
    , m_body(new QWidget)
    , m_column(new QVBoxLayout(m_body))
    , m_cancel(Buttons::bordered(dismiss == Dismiss::cancel ? u"取消"_s : u"关闭"_s, QString(), this))
{
    setWindowTitle(title);
    // The whole sheet scrolls where the screen is shorter or narrower than its content.
    auto *frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(m_scroll);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_body->setAutoFillBackground(false);
    m_scroll->setWidget(m_body);
    m_column->setContentsMargins(measures[size_t(size)].margins);
    m_column->setSpacing(14);

    // Only the confirming button answers Return; a focused button must not take it over.
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    if (!confirmText.isEmpty()) {
        m_confirm = Buttons::prominent(confirmText, QString(), this);
        m_confirm->setDefault(true);
    }
}

QSize Sheet::openingSize() const
{
    return m_placed ? m_openingSize : fittedSize();
}

QSize Sheet::fittedSize() const
{
    const Measure &measure = measures[size_t(m_size)];
    const QFontMetrics metrics(font());
    const int character = metrics.horizontalAdvance(QChar(0x4E00));
    // The layout's own wish, which a larger font or a longer text makes larger.
    m_column->activate();
    const QSize wanted = m_body->sizeHint().expandedTo(m_body->minimumSizeHint());
    int width = std::max(wanted.width(), measure.characters * character);
    int height = m_body->hasHeightForWidth() ? std::max(wanted.height(), m_body->heightForWidth(width))
                                             : wanted.height();
    height = std::max(height, measure.lines * metrics.lineSpacing());

    const QSize room = freeRoom(this);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    if (height > room.height())
        width += scrollBar;
    if (width > room.width())
        height += scrollBar;
    return QSize(width, height).boundedTo(room);
}

void Sheet::setVisible(bool visible)
{
    // Sized once, when it first opens, after the subclass has filled it.
    if (visible && !m_placed) {
        m_openingSize = fittedSize();
        m_placed = true;
        resize(m_openingSize);
    }
    QDialog::setVisible(visible);
}

void Sheet::setTitle(const QString &title)
{
    setWindowTitle(title);
    if (m_title)
        m_title->setText(title);
}

QHBoxLayout *Sheet::addTitleRow(TitlePlacement placement, const QList<QPushButton *> &actions)
{
    // A goal's or an account's name as the title: cut, never widening the sheet.
    m_title = new ElidedLabel(windowTitle(), this);
    Typography::makeHeadline(m_title);
    auto *row = new QHBoxLayout;
    row->addWidget(m_cancel);
    if (placement == TitlePlacement::centred) {
        row->addStretch(1);
        row->addWidget(m_title);
        row->addStretch(1);
    } else {
        row->setSpacing(leadingTitleGap);
        row->addSpacing(leadingTitleGap);
        row->addWidget(m_title);
        row->addStretch(1);
    }
    if (m_confirm)
        row->addWidget(m_confirm);
    for (QPushButton *action : actions) {
        action->setAutoDefault(false);
        row->addWidget(action);
    }
    m_column->insertLayout(0, row);
    return row;
}

void Sheet::addButtonRow()
{
    // Below the content, so last in the Tab order too.
    QWidget *last = previousInFocusChain();
    if (last != m_cancel) {
        setTabOrder(last, m_cancel);
        if (m_confirm)
            setTabOrder(m_cancel, m_confirm);
    }
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_cancel);
    if (m_confirm)
        row->addWidget(m_confirm);
    m_column->addLayout(row);
}
