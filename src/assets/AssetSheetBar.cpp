#include "AssetSheetBar.h"

#include "ui/Buttons.h"
#include "ui/Typography.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

AssetSheetBar::AssetSheetBar(const QString &title, QDialog *sheet)
    : m_close(Buttons::bordered(u"关闭"_s, QString(), sheet)), m_title(new QLabel(title, sheet))
{
    m_close->setAutoDefault(false);
    Typography::makeHeadline(m_title);
    setSpacing(8);
    addWidget(m_close);
    addSpacing(8);
    addWidget(m_title);
    addStretch(1);
    connect(m_close, &QPushButton::clicked, sheet, &QDialog::reject);
}

void AssetSheetBar::addAction(QPushButton *button)
{
    button->setAutoDefault(false);
    addWidget(button);
}
