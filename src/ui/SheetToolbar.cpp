#include "SheetToolbar.h"

#include "Buttons.h"
#include "Typography.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

SheetToolbar::SheetToolbar(const QString &title, const QString &confirmText, QDialog *sheet)
    : m_cancel(Buttons::bordered(u"取消"_s, QString(), sheet))
    , m_title(new QLabel(title, sheet))
    , m_confirm(Buttons::prominent(confirmText, QString(), sheet))
{
    m_cancel->setAutoDefault(false);
    m_confirm->setDefault(true);
    Typography::makeHeadline(m_title);
    addWidget(m_cancel);
    addStretch(1);
    addWidget(m_title);
    addStretch(1);
    addWidget(m_confirm);
    connect(m_cancel, &QPushButton::clicked, sheet, &QDialog::reject);
}
