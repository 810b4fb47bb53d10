// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormWidgets.h"

#include "model/PeriodSelection.h"
#include "ui/Card.h"
#include "ui/Typography.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QLayout *FormWidgets::captioned(const QString &caption, QWidget *control)
{
    auto *column = new QVBoxLayout;
    column->setSpacing(6);
    column->setContentsMargins(0, 0, 0, 0);
    QLabel *label = Typography::secondaryLabel(caption, control->parentWidget());
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    label->setBuddy(control);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(caption);
    column->addWidget(label);
    column->addWidget(control);
    return column;
}

QDateEdit *FormWidgets::datePicker(QWidget *parent)
{
    auto *picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(u"yyyy年M月d日"_s);
    setFieldHeight(picker);
    return picker;
}

QLineEdit *FormWidgets::prompted(QLineEdit *field, const QString &prompt)
{
    field->setPlaceholderText(prompt);
    field->setAccessibleName(prompt);
    setFieldHeight(field);
    return field;
}

void FormWidgets::setFieldHeight(QWidget *field, qreal lines)
{
    const QFontMetricsF text(QApplication::font(field));
    field->setMinimumHeight(qRound(text.height() * lines));
}

void FormWidgets::showDay(QDateEdit *picker, QDate day)
{
    if (picker->date() != day) {
        const QSignalBlocker quiet(picker);
        picker->setDate(day);
    }
}

QString FormWidgets::periodDayCaption(PeriodChoice choice)
{
    switch (choice) {
    case PeriodChoice::week:
        return u"选择所在周"_s;
    case PeriodChoice::month:
        return u"选择所在月"_s;
    case PeriodChoice::all:
    case PeriodChoice::day:
    case PeriodChoice::custom:
        break;
    }
    return u"选择日期"_s;
}

void FormWidgets::setText(QLineEdit *field, const QString &text)
{
    if (field->text() != text)
        field->setText(text);
}

void FormWidgets::showCategories(QComboBox *menu, const QStringList &names, const QString &current)
{
    QStringList shown;
    for (int i = 0; i < menu->count(); ++i)
        shown.append(menu->itemText(i));
    if (shown != names) {
        menu->clear();
        menu->addItems(names);
    }
    const int row = static_cast<int>(names.indexOf(current));
    menu->setPlaceholderText(row < 0 ? current : QString());
    menu->setCurrentIndex(row);
}

FormWidgets::FormCard FormWidgets::formCard(QWidget *parent)
{
    auto *card = new Card(parent);
    card->setRadius(10);
    auto *form = new QFormLayout(card);
    form->setContentsMargins(16, 12, 16, 12);
    form->setHorizontalSpacing(18);
    form->setVerticalSpacing(10);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return {card, form};
}
