// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Card.h"

#include <QTimer>

class QLabel;
class QPushButton;
class UndoHistory;

// The unobtrusive bar at the bottom of the window after a deletion, an import, a large
// recurring catch-up or the back entries of a saved rule: how many
// records went or came and a button that undoes it. It keeps to the bottom of its host and hides by itself.
class UndoBar final : public Card {
    Q_OBJECT

public:
    static constexpr int shownForMs = 8000;

    UndoBar(UndoHistory &history, QWidget *host);

    QLabel *message() const { return m_message; }
    QPushButton *undoButton() const { return m_undo; }
    const QTimer &hideTimer() const { return m_timer; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMessage(const QString &text, bool offerUndo);
    void place();

    UndoHistory &m_history;
    QLabel *m_message = nullptr;
    QPushButton *m_undo = nullptr;
    QTimer m_timer;
};
