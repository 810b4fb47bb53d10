// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringRuleFormView.h"

#include "entry/CategoryPicker.h"
#include "model/Clock.h"
#include "model/EntryRules.h"
#include "ui/Card.h"
#include "ui/FormWidgets.h"
#include "ui/Palette.h"
#include "ui/SegmentedControl.h"
#include "ui/Typography.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

using Repeat = RecurringRule::Repeat;
using End = RecurringRuleFormModel::End;

// The schedules in the order the menu offers them, with their words there.
constexpr std::array<std::pair<Repeat, const char16_t *>, 5> repeats{{
    {Repeat::daily, u"每天"},
    {Repeat::weekly, u"每周"},
    {Repeat::monthly, u"每月"},
    {Repeat::yearly, u"每年"},
    {Repeat::everyNDays, u"每隔几天"},
}};

constexpr std::array<std::pair<End, const char16_t *>, 3> ends{{
    {End::never, u"一直重复"},
    {End::onDay, u"到某一天"},
    {End::afterCount, u"按次数"},
}};

QComboBox *menu(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setAccessibleName(name);
    box->setMinimumHeight(30);
    return box;
}

QSpinBox *counter(const QString &name, const QString &suffix, int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setAccessibleName(name);
    box->setRange(1, maximum);
    box->setSuffix(suffix);
    box->setMinimumHeight(30);
    return box;
}

void choose(QComboBox *box, int data)
{
    const int index = box->findData(data);
    if (index != box->currentIndex()) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
}

void showValue(QSpinBox *box, int value)
{
    if (box->value() != value) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
}

} // namespace

RecurringRuleFormView::RecurringRuleFormView(ModelStore &store, std::unique_ptr<RecurringRuleFormModel> model,
                                             QWidget *parent)
    : Sheet(model->isEditing() ? u"编辑周期账单"_s : u"新增周期账单"_s, SheetSize::Entry, Dismiss::cancel,
            u"保存"_s, parent)
    , m_store(store)
    , m_model(std::move(model))
    , m_kind(new SegmentedControl(
          {EntryKinds::rawText(EntryKind::expense), EntryKinds::rawText(EntryKind::income)}, this))
    , m_amount(new QLineEdit(this))
    , m_note(new QLineEdit(this))
    , m_time(new QTimeEdit(this))
    , m_repeat(menu(u"重复"_s, this))
    , m_weekday(menu(u"星期"_s, this))
    , m_month(menu(u"月份"_s, this))
    , m_day(menu(u"几号"_s, this))
    , m_interval(counter(u"间隔天数"_s, u" 天"_s, 3660, this))
    , m_firstDay(FormWidgets::datePicker(this))
    , m_end(menu(u"结束"_s, this))
    , m_lastDay(FormWidgets::datePicker(this))
    , m_count(counter(u"次数"_s, u" 次"_s, 9999, this))
    , m_hint(Typography::secondaryLabel(QString(), this))
    , m_summary(new QLabel(this))
    , m_problem(new QLabel(this))
    , m_picker(new CategoryPicker(this, 4, 8))
{
    setWindowModality(Qt::WindowModal);
    addTitleRow(TitlePlacement::centred);
    QVBoxLayout *column = this->column();

    auto *body = new QHBoxLayout;
    body->setSpacing(18);
    auto *fields = new QVBoxLayout;
    fields->setSpacing(10);
    const FormWidgets::FormCard card = FormWidgets::formCard(this);
    m_form = card.form;
    m_kind->setAccessibleName(u"类型"_s);
    m_amount->setAccessibleName(u"金额"_s);
    m_amount->setPlaceholderText(u"0.00"_s);
    m_note->setAccessibleName(u"备注"_s);
    m_note->setPlaceholderText(u"例如：房租"_s);
    m_note->setMaxLength(static_cast<int>(EntryRules::maximumTextLength));
    m_time->setAccessibleName(u"时间"_s);
    m_time->setDisplayFormat(u"HH:mm"_s);
    m_time->setMinimumHeight(30);
    m_firstDay->setAccessibleName(u"开始日期"_s);
    m_lastDay->setAccessibleName(u"结束日期"_s);
    m_form->addRow(u"类型"_s, m_kind);
    m_form->addRow(u"金额"_s, m_amount);
    m_form->addRow(u"备注"_s, m_note);
    m_form->addRow(u"时间"_s, m_time);
    buildSchedule(m_form);
    fields->addWidget(card.card);
    m_summary->setWordWrap(true);
    m_problem->setWordWrap(true);
    Typography::setTextColour(m_problem, Palette::over());
    fields->addWidget(m_summary);
    fields->addWidget(m_problem);
    fields->addStretch(1);
    body->addLayout(fields, 1);

    auto *categories = new QVBoxLayout;
    auto *choose = new QLabel(u"选择分类"_s, this);
    Typography::makeHeadline(choose);
    categories->addWidget(choose);
    auto *gridPanel = new Card(this);
    gridPanel->setFill(Palette::withAlpha(Palette::controlBackground().darker(104), 0.45));
    gridPanel->setBorderColour(Qt::transparent);
    auto *gridLayout = new QVBoxLayout(gridPanel);
    gridLayout->setContentsMargins(0, 4, 8, 4);
    gridLayout->addWidget(m_picker);
    categories->addWidget(gridPanel, 1);
    body->addLayout(categories, 1);
    column->addLayout(body, 1);

    connect(m_kind, &SegmentedControl::currentIndexChanged, this,
            [this](int index) { m_model->setKind(EntryKinds::allCases().value(index)); });
    connect(m_amount, &QLineEdit::textEdited, m_model.get(), &RecurringRuleFormModel::setAmount);
    connect(m_note, &QLineEdit::textEdited, m_model.get(), &RecurringRuleFormModel::setNote);
    connect(m_time, &QTimeEdit::timeChanged, m_model.get(), &RecurringRuleFormModel::setTimeOfDay);
    connect(m_picker, &CategoryPicker::selectionChanged, m_model.get(), &RecurringRuleFormModel::setCategory);
    connect(m_repeat, &QComboBox::activated, this,
            [this](int index) { m_model->setRepeat(repeats.at(size_t(index)).first); });
    connect(m_weekday, &QComboBox::activated, this,
            [this](int index) { m_model->setWeekday(m_weekday->itemData(index).toInt()); });
    connect(m_month, &QComboBox::activated, this,
            [this](int index) { m_model->setMonth(m_month->itemData(index).toInt()); });
    connect(m_day, &QComboBox::activated, this,
            [this](int index) { m_model->setMonthDay(m_day->itemData(index).toInt()); });
    connect(m_interval, &QSpinBox::valueChanged, m_model.get(), &RecurringRuleFormModel::setInterval);
    connect(m_firstDay, &QDateEdit::dateChanged, m_model.get(), &RecurringRuleFormModel::setFirstDay);
    connect(m_end, &QComboBox::activated, this,
            [this](int index) { m_model->setEnd(ends.at(size_t(index)).first); });
    connect(m_lastDay, &QDateEdit::dateChanged, m_model.get(), &RecurringRuleFormModel::setLastDay);
    connect(m_count, &QSpinBox::valueChanged, m_model.get(), &RecurringRuleFormModel::setCount);
    connect(saveButton(), &QPushButton::clicked, this, &RecurringRuleFormView::save);
    connect(m_model.get(), &RecurringRuleFormModel::changed, this, &RecurringRuleFormView::refresh);

    refresh();
    m_amount->setFocus();
}

RecurringRuleFormView::~RecurringRuleFormView() = default;

void RecurringRuleFormView::buildSchedule(QFormLayout *form)
{
    for (const auto &[repeat, text] : repeats)
        m_repeat->addItem(QString::fromUtf16(text), int(repeat));
    static const QString weekdays = u"一二三四五六日"_s;
    for (int day = 1; day <= 7; ++day)
        m_weekday->addItem(u"周"_s + weekdays.at(day - 1), day);
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(u"%1 月"_s.arg(month), month);
    for (const auto &[end, text] : ends)
        m_end->addItem(QString::fromUtf16(text), int(end));
    m_hint->setWordWrap(true);

    form->addRow(u"重复"_s, m_repeat);
    form->addRow(u"星期"_s, m_weekday);
    form->addRow(u"月份"_s, m_month);
    form->addRow(u"几号"_s, m_day);
    form->addRow(QString(), m_hint);
    form->addRow(u"间隔天数"_s, m_interval);
    form->addRow(u"开始日期"_s, m_firstDay);
    form->addRow(u"结束"_s, m_end);
    form->addRow(u"结束日期"_s, m_lastDay);
    form->addRow(u"次数"_s, m_count);
}

void RecurringRuleFormView::showDays()
{
    const bool yearly = m_model->repeat() == Repeat::yearly;
    // A year offers its month's own days (29 February among them); a month offers 1–30 and
    // the last day, which is the 31st in every month that has one.
    const int days = yearly ? QDate(2000, m_model->month(), 1).daysInMonth() : 31;
    const QString last = yearly ? u"%1 日"_s.arg(days) : u"最后一天"_s;
    if (m_day->count() != days || m_day->itemText(days - 1) != last) {
        const QSignalBlocker quiet(m_day);
        m_day->clear();
        for (int day = 1; day < days; ++day)
            m_day->addItem(u"%1 日"_s.arg(day), day);
        m_day->addItem(last, days);
    }
    // A yearly date past the month's end shows as its last day until the user picks another.
    choose(m_day, std::min(m_model->monthDay(), days));
}

void RecurringRuleFormView::refresh()
{
    const RecurringRuleFormModel &form = *m_model;
    m_kind->setCurrentIndex(static_cast<int>(EntryKinds::allCases().indexOf(form.kind())));
    FormWidgets::setText(m_amount, form.amount());
    FormWidgets::setText(m_note, form.note());
    if (m_time->time() != form.timeOfDay()) {
        const QSignalBlocker quiet(m_time);
        m_time->setTime(form.timeOfDay());
    }
    m_picker->setCategories(form.categories());
    m_picker->setSelection(form.category());

    const Repeat repeat = form.repeat();
    choose(m_repeat, int(repeat));
    choose(m_weekday, form.weekday());
    choose(m_month, form.month());
    showDays();
    showValue(m_interval, form.interval());
    FormWidgets::showDay(m_firstDay, form.firstDay());
    choose(m_end, int(form.end()));
    FormWidgets::showDay(m_lastDay, form.lastDay());
    showValue(m_count, form.count());
    m_hint->setText(form.dayHint());

    m_form->setRowVisible(m_weekday, repeat == Repeat::weekly);
    m_form->setRowVisible(m_month, repeat == Repeat::yearly);
    m_form->setRowVisible(m_day, repeat == Repeat::monthly || repeat == Repeat::yearly);
    m_form->setRowVisible(m_hint, !form.dayHint().isEmpty());
    m_form->setRowVisible(m_interval, repeat == Repeat::everyNDays);
    m_form->setRowVisible(m_lastDay, form.end() == End::onDay);
    m_form->setRowVisible(m_count, form.end() == End::afterCount);

    m_summary->setText(form.summary(Clock::now().toLocalTime().date()));
    // An empty amount is the form's starting point, not a mistake to point out.
    const std::optional<QString> problem = form.problem();
    m_problem->setText(problem && !form.amount().trimmed().isEmpty() ? *problem : QString());
    m_problem->setVisible(!m_problem->text().isEmpty());
    saveButton()->setEnabled(!problem);
}

void RecurringRuleFormView::save()
{
    if (m_model->save(m_store))
        accept();
}
