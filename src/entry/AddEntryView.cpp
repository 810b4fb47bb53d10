// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddEntryView.h"

#include "CategoryPicker.h"
#include "model/LedgerCategories.h"
#include "store/ModelStore.h"
#include "ui/Card.h"
#include "ui/FormWidgets.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/SegmentedControl.h"
#include "ui/Typography.h"

#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddEntryView::AddEntryView(ModelStore &store, QWidget *parent)
    : EntryFormSheet(store, nullptr, u"记一笔"_s, SheetSize::Entry, u"保存"_s, parent)
    , m_chosenIcon(new QLabel(this))
    , m_chosenText(Typography::secondaryLabel(QString(), this))
    , m_picker(new CategoryPicker(this))
{
    QVBoxLayout *column = this->column();
    column->setSpacing(16);

    QLineEdit *amount = fields()->amount();
    QDateEdit *date = fields()->date();
    QLineEdit *note = fields()->note();
    fields()->kind()->setFixedWidth(220);
    QLayout *kind = FormWidgets::captioned(u"类型"_s, fields()->kind());
    kind->setAlignment(Qt::AlignLeft);
    column->addLayout(kind);

    auto *fields = new QHBoxLayout;
    fields->setSpacing(14);
    amount->setPlaceholderText(u"0.00"_s);
    QFont large = amount->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setWeight(QFont::DemiBold);
    amount->setFont(large);
    FormWidgets::setFieldHeight(amount, FormWidgets::entryFieldLines);
    FormWidgets::setFieldHeight(date, FormWidgets::entryFieldLines);
    note->setPlaceholderText(u"例如：和朋友吃午饭"_s);
    note->setAccessibleName(u"备注（可选）"_s);
    FormWidgets::setFieldHeight(note, FormWidgets::entryFieldLines);
    fields->addLayout(FormWidgets::captioned(u"金额"_s, amount), 1);
    fields->addLayout(FormWidgets::captioned(u"日期"_s, date), 1);
    fields->addLayout(FormWidgets::captioned(u"备注（可选）"_s, note), 2);
    column->addLayout(fields);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setStyleSheet(u"color: %1;"_s.arg(Palette::css(Palette::separator())));
    column->addWidget(divider);

    auto *header = new QHBoxLayout;
    auto *choose = new QLabel(u"选择分类"_s, this);
    Typography::makeHeadline(choose);
    header->addWidget(choose);
    header->addStretch(1);
    header->addWidget(m_chosenIcon);
    header->addWidget(m_chosenText);
    column->addLayout(header);

    auto *gridPanel = new Card(this);
    gridPanel->setFill(Palette::withAlpha(Palette::controlBackground().darker(104), 0.45));
    gridPanel->setBorderColour(Qt::transparent);
    auto *gridLayout = new QVBoxLayout(gridPanel);
    // No padding on the leading side, 8 on the trailing side, 4 above and below the grid.
    gridLayout->setContentsMargins(0, 4, 8, 4);
    gridLayout->addWidget(m_picker);
    column->addWidget(gridPanel, 1);

    // No title row: the two buttons stand below the grid.
    addButtonRow();

    connect(m_picker, &CategoryPicker::selectionChanged, &model(), &EntryFormModel::setCategory);
    connect(&model(), &EntryFormModel::changed, this, &AddEntryView::refresh);
    refresh();
    amount->setFocus();
}

void AddEntryView::refresh()
{
    const EntryFormModel &form = model();
    fields()->refresh();
    m_picker->setCategories(form.categories());
    m_picker->setSelection(form.category());
    m_chosenIcon->setPixmap(Icon::pixmap(LedgerCategories::icon(form.category()), Palette::secondaryText(),
                                         16, devicePixelRatioF()));
    m_chosenText->setText(u"已选："_s + form.category());
    saveButton()->setEnabled(form.canSave());
}
