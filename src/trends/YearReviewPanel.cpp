// SPDX-License-Identifier: GPL-3.0-or-later
#include "YearReviewPanel.h"

#include "model/EntryText.h"
#include "model/Money.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"
#include "ui/Typography.h"
#include "ui/UsageBar.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString defaultChoose(QWidget *parent, const QString &proposed)
{
    return QFileDialog::getSaveFileName(parent, u"保存年度账单图片"_s, proposed, u"PNG 图片 (*.png)"_s);
}

QString changeText(const QString &what, const YearReview::Change &change)
{
    if (!change.ratio)
        return u"%1：上一年没有记录"_s.arg(what);
    const QString arrow = *change.ratio > 0 ? u"↑"_s : *change.ratio < 0 ? u"↓"_s : u"="_s;
    return u"%1较上一年 %2 %3"_s.arg(what, arrow, YearReviewPanel::percent(*change.ratio, true));
}

} // namespace

QString YearReviewPanel::percent(double ratio, bool signedText)
{
    const int whole = int(std::trunc(ratio * 100));
    return (signedText && whole > 0 ? u"+"_s : QString()) + QString::number(whole) + u"%"_s;
}

YearReviewPanel::YearReviewPanel(QWidget *parent)
    : QWidget(parent), m_poster(new Card(this)), m_chooser(defaultChoose)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    m_poster->setRadius(18);
    auto *poster = new QVBoxLayout(m_poster);
    m_poster->setPadding(22);
    poster->setSpacing(14);
    m_title = new QLabel(m_poster);
    Typography::makeTitle(m_title, 24);
    poster->addWidget(m_title);

    auto *totals = new QHBoxLayout;
    totals->setSpacing(12);
    const std::array<QString, 3> titles{u"收入"_s, u"支出"_s, u"结余"_s};
    const std::array<QColor, 3> colours{Palette::income(), Palette::expense(), Palette::primaryText()};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        auto *chip = new Card(m_poster);
        chip->setFill(Palette::faintFill());
        chip->setBorderColour(Qt::transparent);
        auto *chipColumn = new QVBoxLayout(chip);
        chip->setPadding(12);
        chipColumn->setSpacing(4);
        chipColumn->addWidget(Typography::secondaryLabel(titles[i], chip));
        m_totals[i] = new QLabel(chip);
        m_totals[i]->setFont(Fonts::scaled(m_totals[i]->font(), 1.45, QFont::Bold));
        Typography::setTextColour(m_totals[i], colours[i]);
        chipColumn->addWidget(m_totals[i]);
        totals->addWidget(chip, 1);
    }
    poster->addLayout(totals);

    m_rates = new QLabel(m_poster);
    m_rates->setWordWrap(true);
    poster->addWidget(m_rates);

    auto *heading = new QLabel(u"支出最多的分类"_s, m_poster);
    Typography::makeHeadline(heading);
    poster->addWidget(heading);
    m_categories = new QWidget(m_poster);
    auto *categoryRows = new QVBoxLayout(m_categories);
    categoryRows->setContentsMargins(0, 0, 0, 0);
    categoryRows->setSpacing(8);
    for (CategoryRow &row : m_categoryRows) {
        row.row = new QWidget(m_categories);
        auto *line = new QHBoxLayout(row.row);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(10);
        row.name = new QLabel(row.row);
        row.name->setMinimumWidth(72);
        line->addWidget(row.name);
        row.bar = new UsageBar(row.row);
        row.bar->setTint(Palette::expense());
        line->addWidget(row.bar, 1);
        row.amount = new QLabel(row.row);
        row.amount->setMinimumWidth(150);
        row.amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        line->addWidget(row.amount);
        categoryRows->addWidget(row.row);
    }
    poster->addWidget(m_categories);

    auto *facts = new QGridLayout;
    facts->setHorizontalSpacing(12);
    facts->setVerticalSpacing(12);
    const std::array<QString, 4> factTitles{u"支出最多的月份"_s, u"最大一笔支出"_s, u"日均支出"_s,
                                            u"没有支出的日子"_s};
    for (std::size_t i = 0; i < factTitles.size(); ++i) {
        auto *fact = new Card(m_poster);
        fact->setFill(Palette::faintFill());
        fact->setBorderColour(Qt::transparent);
        auto *factColumn = new QVBoxLayout(fact);
        fact->setPadding(12);
        factColumn->setSpacing(4);
        factColumn->addWidget(Typography::secondaryLabel(factTitles[i], fact));
        m_facts[i] = figureLabel(fact);
        factColumn->addWidget(m_facts[i]);
        facts->addWidget(fact, int(i) / 2, int(i) % 2);
    }
    poster->addLayout(facts);
    m_empty = Typography::secondaryLabel(u"这一年还没有记账。"_s, m_poster);
    poster->addWidget(m_empty);
    auto *footer = Typography::secondaryLabel(u"Pennyloom 记账 · 数据仅保存在本机"_s, m_poster);
    footer->setAlignment(Qt::AlignRight);
    poster->addWidget(footer);
    column->addWidget(m_poster);

    auto *actions = new QHBoxLayout;
    actions->addStretch(1);
    m_share = Buttons::bordered(u"分享"_s, u"square.and.arrow.up"_s, this);
    m_share->setAccessibleName(u"分享"_s);
    m_share->setToolTip(u"把年度账单存为 PNG 图片"_s);
    actions->addWidget(m_share);
    column->addLayout(actions);
    connect(m_share, &QPushButton::clicked, this, &YearReviewPanel::share);
}

QLabel *YearReviewPanel::figureLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setFont(Fonts::scaled(label->font(), 1.15, QFont::DemiBold));
    return label;
}

QWidget *YearReviewPanel::poster() const
{
    return m_poster;
}

void YearReviewPanel::setReview(const YearReview &review)
{
    m_review = review;
    m_title->setText(u"%1 年度账单"_s.arg(review.year));
    m_totals[0]->setText(Money::text(review.income));
    m_totals[1]->setText(Money::text(review.expense));
    m_totals[2]->setText(Money::text(review.balance()));

    const QString saving =
        review.savingRate ? u"储蓄率 %1"_s.arg(percent(*review.savingRate)) : u"储蓄率：没有收入"_s;
    m_rates->setText(u"%1　·　%2　·　%3"_s.arg(saving, changeText(u"支出"_s, review.expenseChange),
                                               changeText(u"收入"_s, review.incomeChange)));

    for (std::size_t i = 0; i < m_categoryRows.size(); ++i) {
        const CategoryRow &row = m_categoryRows[i];
        row.row->setVisible(i < review.topCategories.size());
        if (i >= review.topCategories.size())
            continue;
        const YearReview::Share &share = review.topCategories[i];
        row.name->setText(share.total.name);
        row.bar->setFraction(share.share);
        row.bar->setAccessibleName(u"%1 占全年支出 %2"_s.arg(share.total.name, percent(share.share)));
        row.amount->setText(u"%1　%2"_s.arg(percent(share.share), Money::text(share.total.amount)));
    }
    m_categories->setVisible(!review.topCategories.empty());

    m_facts[0]->setText(
        review.dearestMonth
            ? u"%1月　%2"_s.arg(review.dearestMonth->month()).arg(Money::text(review.dearestMonthExpense))
            : u"—"_s);
    if (review.biggestExpense) {
        const LedgerEntry &entry = *review.biggestExpense;
        const QDate day = entry.date.toLocalTime().date();
        m_facts[1]->setText(u"%1　%2　%3月%4日"_s.arg(Money::text(entry.amount), entry.category)
                                .arg(day.month())
                                .arg(day.day()));
        m_facts[1]->setToolTip(EntryText::detail(entry));
    } else {
        m_facts[1]->setText(u"—"_s);
    }
    m_facts[2]->setText(u"%1（%2 天）"_s.arg(Money::text(review.averagePerDay)).arg(review.daysCounted));
    m_facts[3]->setText(u"%1 天"_s.arg(review.daysWithoutSpending));
    m_empty->setVisible(review.empty);
}

QImage YearReviewPanel::picture() const
{
    const qreal scale = 2;
    QImage image(m_poster->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Palette::windowBackground());
    m_poster->render(&image);
    return image;
}

QStringList YearReviewPanel::texts() const
{
    QStringList texts;
    for (const QLabel *label : m_poster->findChildren<QLabel *>()) {
        if (label->isVisibleTo(m_poster) && !label->text().isEmpty())
            texts.append(label->text());
    }
    return texts;
}

void YearReviewPanel::share()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString proposed = QDir(folder.isEmpty() ? QDir::homePath() : folder)
                                 .filePath(u"Pennyloom-%1年度账单.png"_s.arg(m_review.year));
    QString path = m_chooser(this, proposed);
    if (path.isEmpty())
        return;
    if (!path.endsWith(u".png"_s, Qt::CaseInsensitive))
        path += u".png"_s;
    if (!picture().save(path, "PNG")) {
        QMessageBox::warning(this, u"保存失败"_s,
                             u"无法把图片写入 %1。"_s.arg(QDir::toNativeSeparators(path)));
        return;
    }
    Q_EMIT saved(path);
}
