// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReceiptPaperView.h"

#include "ReceiptBarcode.h"
#include "ReceiptDivider.h"
#include "ReceiptModel.h"
#include "model/Money.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/PaintedItems.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int inner = 28;
constexpr qreal cornerRadius = 3;
constexpr int stripHeight = 12;
constexpr int stripDrop = 8;
constexpr int stripInset = 14;
constexpr qreal shadowBlur = 18;
constexpr qreal shadowDrop = 8;
// Room around the sheet for its shadow.
constexpr QMargins shadowRoom(20, 12, 20, 30);

// A blurred shadow fades over this many points each side of the edge it blurs.
constexpr qreal shadowReach = shadowBlur;

constexpr qreal title2 = 1.6;
constexpr qreal title3 = 1.4;
constexpr qreal headline = 1.1;

// The sheet itself: the paper colour with rounded corners and the strip below it. The strip
// is painted inside the widget's bottom margin, so the shadow follows it too.
class PaperSheet final : public QWidget {
public:
    explicit PaperSheet(QWidget *parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF paper = QRectF(rect()).adjusted(0, 0, 0, -stripDrop);
        QPainterPath shape;
        shape.addRoundedRect(paper, cornerRadius, cornerRadius);
        painter.fillPath(shape, Palette::controlBackground());
        painter.fillRect(QRectF(paper.left() + stripInset, paper.bottom() + stripDrop - stripHeight,
                                paper.width() - 2 * stripInset, stripHeight),
                         Palette::controlBackground());
    }
};

// A monospaced design over the body font: the system's fixed-width face sets the Latin letters
// and figures, and the body face, already in use everywhere else, the Chinese, whose characters
// are all one em wide anyway. A second face with fixed-width Chinese of its own would be the
// same look for ten more megabytes of font tables in memory.
QFont monospaced(QFont base)
{
    // The system's fixed font may be named by an alias ("monospace"); its face is asked for by
    // the name of the face it resolves to, which a list of families needs.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    const QString body = base.family();
    base.setFamilies({QFontInfo(fixed).family(), body});
    return base;
}

QLabel *label(const QString &text, const QFont &font, QWidget *parent)
{
    auto *line = new QLabel(text, parent);
    line->setFont(font);
    return line;
}

QLabel *centred(QLabel *line)
{
    line->setAlignment(Qt::AlignHCenter);
    return line;
}

// The visible labels of a printed line, left to right: its text and where it is in the view.
PaintedItems::Item lineItem(const QList<QLabel *> &labels, const QWidget *view)
{
    PaintedItems::Item item;
    QStringList texts;
    for (const QLabel *part : labels) {
        if (!part->isVisibleTo(view) || part->text().isEmpty())
            continue;
        texts.append(part->text());
        item.rect |= QRect(part->mapTo(view, QPoint(0, 0)), part->size());
    }
    item.text = texts.join(u' ');
    return item;
}

// A line with a text on the left and one on the right; returns the right-hand label.
QLabel *pair(QVBoxLayout *column, QLabel *left, QLabel *right)
{
    auto *line = new QHBoxLayout;
    line->setSpacing(12);
    line->addWidget(left);
    line->addStretch(1);
    right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line->addWidget(right);
    column->addLayout(line);
    return right;
}

// The shadow of a box blurred over reach points, painted in gradients: across an edge the
// shadow falls from nearly its full colour reach points inside to nearly nothing reach points
// outside, as a Gaussian blur of that reach would; a corner falls off the same way around its
// centre. It needs no offscreen copy of the sheet, as a graphics effect would, on every paint.
void paintBoxShadow(QPainter &painter, const QRectF &box, qreal reach, const QColor &colour)
{
    const QRectF core = box.adjusted(reach, reach, -reach, -reach);
    if (core.isEmpty())
        return;
    // The share of the colour at each fifth of the way across 2 × reach: 1 − Φ(t / σ), with
    // σ = reach / 2 and t running from −reach to +reach.
    constexpr std::array<qreal, 5> share{0.977, 0.841, 0.5, 0.159, 0.023};
    const auto stops = [&](QGradient &gradient) {
        for (std::size_t i = 0; i < share.size(); ++i) {
            QColor c = colour;
            c.setAlphaF(static_cast<float>(colour.alphaF() * share[i]));
            gradient.setColorAt(static_cast<qreal>(i) / (share.size() - 1), c);
        }
    };
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(core, colour);
    const qreal span = 2 * reach;
    const QRectF outer = box.adjusted(-reach, -reach, reach, reach);
    // The four edges, each a band from the core outwards.
    const struct {
        QRectF band;
        QPointF from, to;
    } edges[] = {
        {QRectF(core.left(), outer.top(), core.width(), span), {0, core.top()}, {0, outer.top()}},
        {QRectF(core.left(), core.bottom(), core.width(), span), {0, core.bottom()}, {0, outer.bottom()}},
        {QRectF(outer.left(), core.top(), span, core.height()), {core.left(), 0}, {outer.left(), 0}},
        {QRectF(core.right(), core.top(), span, core.height()), {core.right(), 0}, {outer.right(), 0}},
    };
    for (const auto &edge : edges) {
        QLinearGradient gradient(edge.from, edge.to);
        stops(gradient);
        painter.fillRect(edge.band, gradient);
    }
    // The four corners, each a quarter disc around the core's corner.
    for (const QPointF &corner : {core.topLeft(), core.topRight(), core.bottomLeft(), core.bottomRight()}) {
        QRadialGradient gradient(corner, span);
        stops(gradient);
        const QRectF square(corner.x() < core.center().x() ? outer.left() : core.right(),
                            corner.y() < core.center().y() ? outer.top() : core.bottom(), span, span);
        painter.fillRect(square, gradient);
    }
    painter.restore();
}

} // namespace

void ReceiptPaperView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintBoxShadow(painter, QRectF(m_sheet->geometry()).translated(0, shadowDrop), shadowReach,
                   Palette::paperShadow());
}

ReceiptPaperView::ReceiptPaperView(QWidget *parent) : QWidget(parent), m_sheet(new PaperSheet(this))
{
    setMaximumWidth(maximumPaperWidth + shadowRoom.left() + shadowRoom.right());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(shadowRoom);
    outer->addWidget(m_sheet);

    const QFont body = monospaced(font());
    const QFont caption = Fonts::caption(body);
    auto *column = new QVBoxLayout(m_sheet);
    column->setContentsMargins(inner, inner, inner, inner + stripDrop);
    column->setSpacing(10);

    auto *cart = new QLabel(m_sheet);
    const int cartSize = QFontInfo(Fonts::scaled(body, title2)).pixelSize();
    cart->setPixmap(Icon::pixmap(u"cart.fill"_s, Palette::primaryText(), cartSize, devicePixelRatioF()));
    cart->setAccessibleName(u"购物车"_s);
    column->addWidget(centred(cart));
    QLabel *shop = centred(label(u"Pennyloom生活超市"_s, Fonts::scaled(body, title3, QFont::Bold), m_sheet));
    QLabel *heading = centred(label(u"收支汇总小票"_s, Fonts::caption(body, QFont::DemiBold), m_sheet));
    column->addWidget(shop);
    column->addWidget(heading);
    column->addWidget(new ReceiptDivider(m_sheet));
    m_linesAbove = {QList<QLabel *>{shop}, QList<QLabel *>{heading}};

    // A captioned line, kept for assistive technology as one line.
    const auto captioned = [](QVBoxLayout *into, QList<QList<QLabel *>> &lines, QLabel *caption,
                              QLabel *value) {
        lines.append(QList<QLabel *>{caption, value});
        return pair(into, caption, value);
    };
    m_period =
        captioned(column, m_linesAbove, label(u"统计周期"_s, body, m_sheet), label(QString(), body, m_sheet));
    m_range =
        captioned(column, m_linesAbove, label(u"日期"_s, body, m_sheet), label(QString(), body, m_sheet));
    m_kind =
        captioned(column, m_linesAbove, label(u"项目类型"_s, body, m_sheet), label(QString(), body, m_sheet));

    m_rows = new QWidget(m_sheet);
    m_rowLines = new QVBoxLayout(m_rows);
    m_rowLines->setContentsMargins(0, 0, 0, 0);
    m_rowLines->setSpacing(10);
    column->addWidget(m_rows);
    m_notice = centred(label(u"本时间段暂无记录"_s, body, m_sheet));
    Typography::makeSecondary(m_notice);
    m_notice->setContentsMargins(0, 12, 0, 12);
    column->addWidget(m_notice);
    column->addWidget(new ReceiptDivider(m_sheet));
    m_linesBelow = {QList<QLabel *>{m_notice}};

    m_total = captioned(column, m_linesBelow,
                        label(u"合计"_s, Fonts::scaled(body, headline, QFont::DemiBold), m_sheet),
                        label(QString(), Fonts::scaled(body, title2, QFont::Bold), m_sheet));
    QLabel *countLabel = label(QString(), caption, m_sheet);
    m_count = countLabel;
    Typography::makeSecondary(countLabel);
    m_printed = pair(column, countLabel, label(QString(), caption, m_sheet));
    Typography::makeSecondary(m_printed);
    // The count and the time share a line on paper but are two facts.
    m_linesBelow << QList<QLabel *>{m_count} << QList<QLabel *>{m_printed};

    auto *footer = new QVBoxLayout;
    footer->setSpacing(2);
    footer->setContentsMargins(0, 4, 0, 0);
    footer->addWidget(new ReceiptBarcode(m_sheet), 0, Qt::AlignHCenter);
    QLabel *thanks = centred(label(u"感谢使用Pennyloom"_s, caption, m_sheet));
    footer->addWidget(thanks);
    column->addLayout(footer);
    m_linesBelow << QList<QLabel *>{thanks};

    // Each printed line is one item to assistive technology, its caption read with its value.
    m_accessibleLines = new PaintedItems(this, [this] {
        QList<PaintedItems::Item> lines;
        for (const QList<QLabel *> &line : printedLines()) {
            if (PaintedItems::Item item = lineItem(line, this); !item.text.isEmpty())
                lines.append(item);
        }
        return lines;
    });
}

QList<QList<QLabel *>> ReceiptPaperView::printedLines() const
{
    QList<QList<QLabel *>> lines = m_linesAbove;
    for (int i = 0; i < m_rowLines->count(); ++i) {
        QList<QLabel *> parts;
        QLayout *line = m_rowLines->itemAt(i)->layout();
        for (int j = 0; line && j < line->count(); ++j) {
            if (auto *text = qobject_cast<QLabel *>(line->itemAt(j)->widget()))
                parts.append(text);
        }
        lines.append(parts);
    }
    return lines + m_linesBelow;
}

QSize ReceiptPaperView::sizeHint() const
{
    // As wide as a paper may be; the layout narrows it where the window is narrower.
    return {maximumWidth(), QWidget::sizeHint().height()};
}

void ReceiptPaperView::setPaper(const ReceiptPaper &paper)
{
    m_period->setText(u"按"_s + ReceiptModel::periodRules().title(paper.period) + u"汇总"_s);
    m_range->setText(paper.rangeText);
    m_kind->setText(EntryKinds::rawText(paper.kind));

    // A handful of category lines at most: rebuilt whole on every printing.
    while (QLayoutItem *item = m_rowLines->takeAt(0)) {
        if (QLayout *line = item->layout()) {
            while (QLayoutItem *part = line->takeAt(0)) {
                delete part->widget();
                delete part;
            }
        }
        delete item;
    }
    const QFont body = m_period->font();
    for (const CategoryTotal &row : paper.rows)
        pair(m_rowLines, label(row.name, body, m_rows), label(Money::text(row.amount), body, m_rows));
    m_rows->setVisible(!paper.rows.empty());
    m_notice->setVisible(paper.rows.empty());

    m_total->setText(Money::text(paper.total));
    m_count->setText(u"共 "_s + QString::number(paper.count) + u" 笔"_s);
    m_printed->setText(paper.printedText);
    m_accessibleLines->changed();
}

QString ReceiptPaperView::periodText() const
{
    return m_period->text();
}

QString ReceiptPaperView::rangeText() const
{
    return m_range->text();
}

QString ReceiptPaperView::kindText() const
{
    return m_kind->text();
}

QStringList ReceiptPaperView::rowTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_rowLines->count(); ++i) {
        QLayout *line = m_rowLines->itemAt(i)->layout();
        QStringList parts;
        for (int j = 0; line && j < line->count(); ++j) {
            if (auto *text = qobject_cast<QLabel *>(line->itemAt(j)->widget()))
                parts.append(text->text());
        }
        texts.append(parts.join(u' '));
    }
    return texts;
}

QString ReceiptPaperView::noticeText() const
{
    return m_notice->isVisibleTo(this) ? m_notice->text() : QString();
}

QString ReceiptPaperView::totalText() const
{
    return m_total->text();
}

QString ReceiptPaperView::countText() const
{
    return m_count->text();
}

QString ReceiptPaperView::printedText() const
{
    return m_printed->text();
}
