// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkspaceHeader.h"

#include "Typography.h"

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
    Typography::makeTitle(titleLabel, 28);
    texts->addWidget(titleLabel);
    if (!subtitle.isEmpty()) {
        texts->addWidget(Typography::secondaryLabel(subtitle, this));
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
