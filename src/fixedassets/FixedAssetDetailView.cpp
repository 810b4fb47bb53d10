// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetDetailView.h"

#include "EditFixedAssetView.h"
#include "FixedAssetCategory.h"
#include "model/Money.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/ElidedLabel.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/Sheets.h"
#include "ui/Typography.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int tileSize = 48;
constexpr int symbolSize = 26;
constexpr int rowInset = 16;

} // namespace

FixedAssetDetailView::FixedAssetDetailView(ModelStore &store, const QUuid &id, QWidget *parent)
    : Sheet(u"固定资产详情"_s, SheetSize::Detail, Dismiss::close, QString(), parent)
    , m_model(store, id)
    , m_edit(Buttons::bordered(u"编辑"_s, QString(), this))
    , m_delete(Buttons::bordered(QString(), u"trash"_s, this))
    , m_symbol(new QLabel)
    , m_name(new ElidedLabel)
    , m_category(new ElidedLabel)
    , m_value(new QLabel)
    , m_rows(new QVBoxLayout)
{
    setWindowModality(Qt::WindowModal);
    m_delete->setAccessibleName(u"删除"_s);
    m_delete->setToolTip(u"删除"_s);
    m_delete->setIcon(Icon::icon(u"trash"_s, Palette::over(), 18));
    // The item's actions on the trailing side.
    addTitleRow(TitlePlacement::centred, {m_edit, m_delete});

    // Below the title row the content scrolls, so a long note lengthens the page, not the sheet.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    ScrollPage::markFocus(scroll);
    auto *body = new QWidget(scroll);
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(this->column()->spacing());
    scroll->setWidget(body);
    this->column()->addWidget(scroll, 1);

    // The summary: symbol tile, name over category, the value at the trailing end.
    auto *summary = new Card(body);
    summary->setRadius(10);
    auto *summaryRow = new QHBoxLayout(summary);
    summaryRow->setContentsMargins(rowInset, 8 + 6, rowInset, 8 + 6);
    summaryRow->setSpacing(12);
    auto *tile = new Card(summary);
    tile->setFixedSize(tileSize, tileSize);
    tile->setRadius(12);
    tile->setFill(Palette::withAlpha(Palette::indigo(), 0.12));
    tile->setBorderColour(Qt::transparent);
    m_symbol->setParent(tile);
    m_symbol->setGeometry((tileSize - symbolSize) / 2, (tileSize - symbolSize) / 2, symbolSize, symbolSize);
    summaryRow->addWidget(tile, 0, Qt::AlignVCenter);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(3);
    m_name->setParent(summary);
    Typography::makeHeadline(m_name);
    m_category->setParent(summary);
    Typography::makeSecondary(m_category);
    texts->addWidget(m_name);
    texts->addWidget(m_category);
    summaryRow->addLayout(texts, 1);
    m_value->setParent(summary);
    m_value->setFont(Fonts::scaled(font(), 1.55, QFont::Bold));
    summaryRow->addWidget(m_value, 0, Qt::AlignVCenter);
    column->addWidget(summary);

    QLabel *heading = Typography::secondaryLabel(u"资产信息"_s, body);
    heading->setFont(Fonts::caption(heading->font()));
    heading->setContentsMargins(rowInset, 4, 0, 0);
    column->addWidget(heading);
    auto *info = new Card(body);
    info->setRadius(10);
    info->setLayout(m_rows);
    m_rows->setContentsMargins(rowInset, 4, rowInset, 4);
    m_rows->setSpacing(0);
    column->addWidget(info);
    column->addStretch(1);

    connect(m_edit, &QPushButton::clicked, this, [this] { m_model.setShowingEdit(true); });
    connect(m_delete, &QPushButton::clicked, this, [this] { m_model.setConfirmingDelete(true); });
    connect(&m_model, &FixedAssetDetailModel::changed, this, &FixedAssetDetailView::refresh);
    connect(&m_model, &FixedAssetDetailModel::showingEditChanged, this, [this](bool showing) {
        Sheets::follow(
            m_editSheet, showing,
            [this]() -> QDialog * { return new EditFixedAssetView(m_model.store(), *m_model.asset(), this); },
            [this] { m_model.setShowingEdit(false); });
    });
    connect(&m_model, &FixedAssetDetailModel::confirmingDeleteChanged, this, [this](bool confirming) {
        Sheets::followConfirmation(m_alert, confirming, this, FixedAssetDetailModel::deleteTitle(),
                                   FixedAssetDetailModel::deleteMessage(), u"删除"_s, [this](bool confirmed) {
                                       if (confirmed)
                                           m_model.deleteAsset();
                                       else
                                           m_model.setConfirmingDelete(false);
                                   });
    });
    connect(&m_model, &FixedAssetDetailModel::ended, this, &QDialog::reject);
    refresh();
}

QList<FixedAssetDetailModel::InfoRow> FixedAssetDetailView::shownRows() const
{
    QList<FixedAssetDetailModel::InfoRow> rows;
    for (const auto &[label, value] : m_shown)
        rows.append({label->text(), value->text()});
    return rows;
}

void FixedAssetDetailView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_model.refresh();
}

void FixedAssetDetailView::refresh()
{
    const FixedAsset *asset = m_model.asset();
    if (!asset)
        return;
    m_symbol->setPixmap(Icon::pixmap(FixedAssetCategory::icon(asset->category), Palette::indigo(), symbolSize,
                                     devicePixelRatioF()));
    m_name->setText(asset->name);
    m_category->setText(asset->category);
    m_value->setText(Money::text(asset->currentValue));
    m_value->setAccessibleName(m_value->text());

    const QList<FixedAssetDetailModel::InfoRow> rows = m_model.infoRows();
    // A few fixed rows: rebuilt whole, as the note row comes and goes.
    while (QLayoutItem *item = m_rows->takeAt(0)) {
        if (QWidget *old = item->widget()) {
            old->hide();
            old->setParent(nullptr);
            old->deleteLater();
        }
        delete item;
    }
    m_shown.clear();
    QWidget *card = m_rows->parentWidget();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            auto *divider = new QFrame(card);
            divider->setFixedHeight(1);
            divider->setAutoFillBackground(true);
            QPalette line = divider->palette();
            line.setColor(QPalette::Window, Palette::separator());
            divider->setPalette(line);
            m_rows->addWidget(divider);
        }
        auto *row = new QWidget(card);
        // The note, the last row when there is one, is the user's own text of any length: it
        // sits under its label across the whole row and wraps over as many lines as it needs.
        const bool note = i == rows.size() - 1 && !asset->note.isEmpty();
        QBoxLayout *parts = note ? static_cast<QBoxLayout *>(new QVBoxLayout(row)) : new QHBoxLayout(row);
        parts->setContentsMargins(0, 9, 0, 9);
        if (note)
            parts->setSpacing(4);
        auto *label = new QLabel(rows[i].label, row);
        auto *value = Typography::secondaryLabel(rows[i].value, row);
        // The note is the user's own text, never markup.
        value->setTextFormat(Qt::PlainText);
        value->setWordWrap(true);
        value->setAlignment(note ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setAccessibleName(rows[i].label);
        value->setAccessibleDescription(rows[i].value);
        parts->addWidget(label);
        parts->addWidget(value, 1);
        m_rows->addWidget(row);
        m_shown.append(qMakePair(label, value));
    }
}
