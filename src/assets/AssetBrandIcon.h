// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPainter;

// The 52 x 30 badge of an account kind: the brand image on a white rounded tile, or a white
// symbol on an indigo one. Lists paint it with paint() without a widget per row.
class AssetBrandIcon final : public QWidget {
    Q_OBJECT

public:
    explicit AssetBrandIcon(const QString &kind, QWidget *parent = nullptr);

    QString kind() const { return m_kind; }
    static QSize badgeSize() { return {52, 30}; }
    static void paint(QPainter &painter, const QRect &rect, const QString &kind);

    QSize sizeHint() const override { return badgeSize(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_kind;
};
