// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;

// A row of mutually exclusive segments, one always chosen, like a compact tab bar.
// The accessible name is the control's label ("类型").
class SegmentedControl : public QWidget {
    Q_OBJECT

public:
    explicit SegmentedControl(const QStringList &segments, QWidget *parent = nullptr);

    int currentIndex() const;
    QString currentText() const;
    // Choosing a segment from code emits currentIndexChanged like a click does, unless the
    // index is already the current one.
    void setCurrentIndex(int index);
    QStringList segments() const { return m_segments; }

Q_SIGNALS:
    void currentIndexChanged(int index);

private:
    QStringList m_segments;
    QButtonGroup *m_group;
};
