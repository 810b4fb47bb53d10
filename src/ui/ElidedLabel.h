// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// One line of the user's own text (a name, a kind, a title) that never widens its window: it
// asks for little room, shows what fits with "…" at the end, and carries the whole text in its
// tooltip and accessible name. The text is plain, never markup; line breaks show as spaces.
class ElidedLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);

    // Hides QLabel::setText so the tooltip and the accessible name follow the text; call it
    // through this class.
    void setText(const QString &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString shownText() const;
    QRect textRect() const;
    QString oneLine() const;
};
