#include "WorkspaceHeader.h"

#include "Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WorkspaceHeader::WorkspaceHeader(const QString &title, const QString &subtitle, QWidget *parent)
    : QWidget(parent), m_actions(new QHBoxLayout)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(4);
    auto *titleLabel = new QLabel(title, this);
    QFont titleFont = titleLabel->font();
    titleFont.setPixelSize(28);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    texts->addWidget(titleLabel);
    if (!subtitle.isEmpty()) {
        auto *subtitleLabel = new QLabel(subtitle, this);
        QPalette palette = subtitleLabel->palette();
        palette.setColor(QPalette::WindowText, Palette::secondaryText());
        subtitleLabel->setPalette(palette);
        texts->addWidget(subtitleLabel);
    }
    row->addLayout(texts);
    row->addStretch(1);
    m_actions->setSpacing(10);
    row->addLayout(m_actions);
}

void WorkspaceHeader::addAction(QPushButton *button)
{
    m_actions->addWidget(button);
}
