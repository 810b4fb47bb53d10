// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoBar.h"

#include "UndoHistory.h"
#include "ui/Buttons.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int bottomMargin = 22;

} // namespace

UndoBar::UndoBar(UndoHistory &history, QWidget *host) : Card(host), m_history(history)
{
    setObjectName(u"undoBar"_s);
    setRadius(12);
    setFill(Palette::controlBackground());
    setBorderColour(Palette::controlBorder());
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(18, 8, 10, 8);
    row->setSpacing(16);
    m_message = new QLabel(this);
    Typography::setTextColour(m_message, Palette::primaryText());
    row->addWidget(m_message);
    m_undo = Buttons::bordered(u"撤销"_s, u"arrow.uturn.left.circle.fill"_s, this);
    row->addWidget(m_undo);
    hide();

    m_timer.setSingleShot(true);
    m_timer.setInterval(shownForMs);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
    connect(m_undo, &QPushButton::clicked, this, [this] { m_history.undo(); });
    connect(&m_history, &UndoHistory::deleted, this,
            [this](int count) { showMessage(u"已删除 %1 条记录"_s.arg(count), true); });
    connect(&m_history, &UndoHistory::imported, this,
            [this](int count) { showMessage(u"已导入 %1 条记录"_s.arg(count), true); });
    connect(&m_history, &UndoHistory::changed, this,
            [this](int count) { showMessage(u"已修改 %1 条记录"_s.arg(count), true); });
    connect(&m_history, &UndoHistory::caughtUp, this,
            [this](int count) { showMessage(u"已补记 %1 笔周期账单"_s.arg(count), true); });
    const auto done = [this] {
        m_timer.stop();
        hide();
    };
    connect(&m_history, &UndoHistory::restored, this, done);
    connect(&m_history, &UndoHistory::importUndone, this, done);
    connect(&m_history, &UndoHistory::catchUpUndone, this, done);
    connect(&m_history, &UndoHistory::changeUndone, this, done);
    connect(&m_history, &UndoHistory::failed, this, [this] { showMessage(u"保存失败"_s, false); });
    host->installEventFilter(this);
}

void UndoBar::showMessage(const QString &text, bool offerUndo)
{
    m_message->setText(text);
    m_message->setAccessibleName(text);
    m_undo->setVisible(offerUndo);
    show();
    raise();
    place();
    m_timer.start();
}

void UndoBar::place()
{
    const QWidget *host = parentWidget();
    adjustSize();
    move((host->width() - width()) / 2, host->height() - height() - bottomMargin);
}

bool UndoBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        place();
    return Card::eventFilter(watched, event);
}
