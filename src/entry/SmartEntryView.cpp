// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmartEntryView.h"

#include "model/EntryRules.h"
#include "store/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/EmptyState.h"
#include "ui/FormWidgets.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel *iconLabel(const QString &symbol, const QColor &colour, int size, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(Icon::pixmap(symbol, colour, size, parent->devicePixelRatioF()));
    return label;
}

} // namespace

SmartEntryView::SmartEntryView(ModelStore &store, QWidget *parent)
    : Sheet(u"大白话记账"_s, SheetSize::Sentence, Dismiss::close, QString(), parent)
    , m_store(store)
    , m_sentence(new QLineEdit(this))
    , m_recognize(Buttons::prominent(u"识别"_s, QString(), this))
    , m_area(new QStackedWidget(this))
    , m_empty(new EmptyState(u"magnifyingglass"_s, u"还没识别到金额"_s,
                             u"请试试“花了 25 元买了面包”这样的表达。"_s, this))
{
    setWindowModality(Qt::WindowModal);
    QVBoxLayout *column = this->column();
    column->setSpacing(20);

    auto *header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(iconLabel(u"text.bubble.fill"_s, Palette::indigo(), 28, this));
    auto *title = new QLabel(u"大白话记账"_s, this);
    Typography::makeTitle(title, 26);
    header->addWidget(title);
    header->addStretch(1);
    header->addWidget(cancelButton());
    column->addLayout(header);

    auto *description = Typography::secondaryLabel(
        u"直接说你花了什么，例如“花了 25 元买了面包”。所有识别都在本机完成。"_s, this);
    description->setWordWrap(true);
    column->addWidget(description);

    auto *sentenceRow = new QHBoxLayout;
    sentenceRow->setSpacing(12);
    m_sentence->setPlaceholderText(u"例如：花了25元买了面包"_s);
    m_sentence->setAccessibleName(u"例如：花了25元买了面包"_s);
    m_sentence->setMaxLength(static_cast<int>(EntryRules::maximumTextLength));
    QFont title3 = m_sentence->font();
    title3.setPixelSize(20);
    m_sentence->setFont(title3);
    FormWidgets::setFieldHeight(m_sentence, FormWidgets::sentenceFieldLines);
    sentenceRow->addWidget(m_sentence, 1);
    m_recognize->setAutoDefault(false);
    FormWidgets::setFieldHeight(m_recognize, FormWidgets::sentenceFieldLines);
    sentenceRow->addWidget(m_recognize);
    column->addLayout(sentenceRow);

    m_area->addWidget(new QWidget(m_area));
    m_area->addWidget(m_empty);
    m_area->addWidget(buildCard());
    column->addWidget(m_area, 1);

    m_model.setBooks(&store);
    connect(m_sentence, &QLineEdit::textEdited, &m_model, &SmartEntryModel::setSentence);
    // Return in the field recognises even a blank sentence, which simply yields nothing.
    connect(m_sentence, &QLineEdit::returnPressed, &m_model, &SmartEntryModel::recognize);
    connect(m_recognize, &QPushButton::clicked, &m_model, &SmartEntryModel::recognize);
    connect(&m_model, &SmartEntryModel::changed, this, &SmartEntryView::refresh);
    refresh();
    m_sentence->setFocus();
}

QWidget *SmartEntryView::buildCard()
{
    auto *card = new Card(m_area);
    m_card = card;
    card->setRadius(16);
    card->setFill(Palette::withAlpha(Palette::indigo(), 0.08));
    card->setBorderColour(Qt::transparent);
    auto *column = new QVBoxLayout(card);
    column->setContentsMargins(18, 18, 18, 18);
    column->setSpacing(14);

    auto *heading = new QHBoxLayout;
    heading->setSpacing(6);
    heading->addWidget(iconLabel(u"pencil.and.outline"_s, Palette::income(), 18, card));
    auto *headingText = new QLabel(u"识别结果（可修改）"_s, card);
    Typography::makeHeadline(headingText);
    QPalette green = headingText->palette();
    green.setColor(QPalette::WindowText, Palette::income());
    headingText->setPalette(green);
    heading->addWidget(headingText);
    heading->addStretch(1);
    column->addLayout(heading);

    auto *controls = new QHBoxLayout;
    controls->setSpacing(12);
    m_kind = new QComboBox(card);
    for (EntryKind kind : EntryKinds::allCases())
        m_kind->addItem(EntryKinds::rawText(kind));
    m_kind->setFixedWidth(130);
    m_amount = new QLineEdit(card);
    m_amount->setFixedWidth(110);
    m_category = new QComboBox(card);
    m_category->setFixedWidth(145);
    m_note = new QLineEdit(card);
    auto addLabelled = [&](const QString &label, QWidget *control, int stretch) {
        control->setAccessibleName(label);
        auto *caption = new QLabel(label, card);
        caption->setBuddy(control);
        auto *pair = new QHBoxLayout;
        pair->setSpacing(6);
        pair->addWidget(caption);
        pair->addWidget(control, stretch);
        controls->addLayout(pair, stretch);
    };
    addLabelled(u"类型"_s, m_kind, 0);
    addLabelled(u"金额"_s, m_amount, 0);
    addLabelled(u"分类"_s, m_category, 0);
    addLabelled(u"备注"_s, m_note, 1);
    column->addLayout(controls);

    auto *confirmRow = new QHBoxLayout;
    confirmRow->addStretch(1);
    m_confirm = Buttons::prominent(u"确认并记账"_s, QString(), card);
    m_confirm->setAutoDefault(false);
    confirmRow->addWidget(m_confirm);
    column->addLayout(confirmRow);
    column->addStretch(1);

    connect(m_kind, &QComboBox::activated, this,
            [this](int index) { m_model.draft().setKind(EntryKinds::allCases().value(index)); });
    connect(m_amount, &QLineEdit::textEdited, &m_model.draft(), &EntryFormModel::setAmount);
    connect(m_category, &QComboBox::activated, this,
            [this](int index) { m_model.draft().setCategory(m_category->itemText(index)); });
    connect(m_note, &QLineEdit::textEdited, &m_model.draft(), &EntryFormModel::setNote);
    connect(m_confirm, &QPushButton::clicked, this, &SmartEntryView::confirm);
    return card;
}

void SmartEntryView::refresh()
{
    m_recognize->setEnabled(m_model.canRecognize());
    m_area->setCurrentIndex(static_cast<int>(m_model.area()));

    m_kind->setCurrentIndex(static_cast<int>(EntryKinds::allCases().indexOf(m_model.draft().kind())));
    FormWidgets::setText(m_amount, m_model.draft().amount());
    FormWidgets::setText(m_note, m_model.draft().note());
    FormWidgets::showCategories(m_category, m_model.draft().categories(), m_model.draft().category());
    m_confirm->setEnabled(m_model.canConfirm());
}

void SmartEntryView::confirm()
{
    if (m_model.confirm(m_store))
        accept();
}
