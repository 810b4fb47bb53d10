// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "YearReview.h"

#include <QWidget>

#include <array>
#include <functional>

class Card;
class QLabel;
class QPushButton;
class QVBoxLayout;
class UsageBar;

// 年度账单: the year's figures on one card that can be saved as a picture, and the "分享"
// button that saves it as a PNG where the user chooses.
class YearReviewPanel final : public QWidget {
    Q_OBJECT

public:
    // Asks where to save the picture, proposing a path; empty when the user cancels.
    using Chooser = std::function<QString(QWidget *parent, const QString &proposed)>;

    explicit YearReviewPanel(QWidget *parent = nullptr);

    void setReview(const YearReview &review);
    // Tests hand the path themselves.
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    QWidget *poster() const;
    QPushButton *shareButton() const { return m_share; }
    // The picture of the card, at twice its size for sharp text.
    QImage picture() const;
    // Every text the card shows, in reading order.
    QStringList texts() const;

    // "37%": the ratio times 100 with the fraction dropped; signed when asked.
    static QString percent(double ratio, bool signedText = false);

Q_SIGNALS:
    // After the picture was written.
    void saved(const QString &path);

private:
    void share();
    QLabel *figureLabel(QWidget *parent);

    Card *m_poster;
    QLabel *m_title;
    std::array<QLabel *, 3> m_totals{};
    QLabel *m_rates;
    // The five category rows, made once and filled on every change: a widget made and laid out
    // anew costs more than its text.
    struct CategoryRow {
        QWidget *row = nullptr;
        QLabel *name = nullptr;
        UsageBar *bar = nullptr;
        QLabel *amount = nullptr;
    };
    std::array<CategoryRow, 5> m_categoryRows{};
    QWidget *m_categories;
    std::array<QLabel *, 4> m_facts{};
    QLabel *m_empty;
    QPushButton *m_share;
    Chooser m_chooser;
    YearReview m_review;
};
