// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sheet.h"

#include "Buttons.h"
#include "ElidedLabel.h"
#include "Spacing.h"
#include "Typography.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Room {
    QSize size;
    QMargins margins;
};

// By SheetSize, in its order.
constexpr std::array rooms{
    Room{{420, 250}, Spacing::sheetMargins},         // ShortForm
    Room{{420, 260}, Spacing::sheetMargins},         // DepositForm
    Room{{440, 290}, Spacing::sheetMargins},         // Form
    Room{{460, 330}, Spacing::sheetMargins},         // EditForm
    Room{{440, 340}, Spacing::sheetMargins},         // SectionedForm
    Room{{470, 360}, Spacing::sheetMargins},         // LongForm
    Room{{470, 470}, Spacing::sheetMargins},         // Detail
    Room{{520, 600}, Spacing::sheetMargins},         // TallDetail
    Room{{580, 540}, Spacing::sheetMargins},         // WideDetail
    Room{{620, 600}, Spacing::sheetMargins},         // Ledger
    Room{{640, 620}, Spacing::sheetMargins},         // WideLedger
    Room{{680, 470}, Spacing::sheetMargins},         // Chart
    Room{{720, 390}, Spacing::sentenceSheetMargins}, // Sentence
    Room{{820, 650}, Spacing::entrySheetMargins},    // Entry
    Room{{900, 640}, Spacing::sheetMargins},         // Import
};
static_assert(rooms.size() == size_t(SheetSize::Import) + 1, "one room for every sheet size");

// The gap between "关闭" and a leading title.
constexpr int leadingTitleGap = 8;

} // namespace

Sheet::Sheet(const QString &title, SheetSize size, Dismiss dismiss, const QString &confirmText,
             QWidget *parent)
    : QDialog(parent)
    , m_column(new QVBoxLayout(this))
    , m_cancel(Buttons::bordered(dismiss == Dismiss::cancel ? u"取消"_s : u"关闭"_s, QString(), this))
{
    setWindowTitle(title);
    const Room &room = rooms[size_t(size)];
    m_openingSize = room.size;
    resize(room.size);
    m_column->setContentsMargins(room.margins);
    m_column->setSpacing(14);

    // Only the confirming button answers Return; a focused button must not take it over.
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    if (!confirmText.isEmpty()) {
        m_confirm = Buttons::prominent(confirmText, QString(), this);
        m_confirm->setDefault(true);
    }
}

void Sheet::setTitle(const QString &title)
{
    setWindowTitle(title);
    if (m_title)
        m_title->setText(title);
}

QHBoxLayout *Sheet::addTitleRow(TitlePlacement placement, const QList<QPushButton *> &actions)
{
    // A goal's or an account's name as the title: cut, never widening the sheet.
    m_title = new ElidedLabel(windowTitle(), this);
    Typography::makeHeadline(m_title);
    auto *row = new QHBoxLayout;
    row->addWidget(m_cancel);
    if (placement == TitlePlacement::centred) {
        row->addStretch(1);
        row->addWidget(m_title);
        row->addStretch(1);
    } else {
        row->setSpacing(leadingTitleGap);
        row->addSpacing(leadingTitleGap);
        row->addWidget(m_title);
        row->addStretch(1);
    }
    if (m_confirm)
        row->addWidget(m_confirm);
    for (QPushButton *action : actions) {
        action->setAutoDefault(false);
        row->addWidget(action);
    }
    m_column->insertLayout(0, row);
    return row;
}

void Sheet::addButtonRow()
{
    // Below the content, so last in the Tab order too.
    QWidget *last = previousInFocusChain();
    if (last != m_cancel) {
        setTabOrder(last, m_cancel);
        if (m_confirm)
            setTabOrder(m_cancel, m_confirm);
    }
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_cancel);
    if (m_confirm)
        row->addWidget(m_confirm);
    m_column->addLayout(row);
}
