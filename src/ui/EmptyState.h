// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

// A calm panel for "nothing here yet": a large dimmed icon, a title and a description.
class EmptyState : public QWidget {
    Q_OBJECT

public:
    EmptyState(const QString &symbol, const QString &title, const QString &description,
               QWidget *parent = nullptr);

    QString title() const;
    QString description() const;

private:
    QLabel *m_title;
    QLabel *m_description;
};
