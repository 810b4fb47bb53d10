// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReminderPlatform.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class ModelStore;
class QSettings;

// The desktop notice that a current budget row went past 80 % or past 100 % of its limit:
// 「餐饮预算已用 85%」, 「餐饮预算已超支 ¥120.00」. Each row of each period gets each notice once,
// whichever process wrote the entry that crossed the line: what was sent is kept in the user
// settings beside the reminder's switch, so a restart or a second process does not repeat it.
// The figures are the budget screen's own (BudgetRowFigures and its tones).
class BudgetNotices final {
public:
    static constexpr auto enabledKey = "budgetNoticesEnabled";
    static constexpr auto sentKey = "budgetNotices/sent";

    // How far each current row stands, by row and period: 0 within 80 %, 1 past 80 %, 2 past 100 %.
    using Levels = QHash<QString, int>;
    using Send = std::function<void(const ReminderRequest &)>;

    BudgetNotices(QSettings &settings, Send send);

    // The user's settings, as the reminder keeps them; made on first use.
    static QSettings &userSettings();
    // Off until the user turns it on in 设置 › 小助理.
    static bool enabled(QSettings &settings);
    static void setEnabled(QSettings &settings, bool enabled);

    static Levels levels(const ModelStore &store, const QDateTime &now);

    // After entries changed: one notice for each current row that now stands higher than in
    // `before` (a row missing there stood at 0) and was not told of that level in its period
    // yet; past 100 % at once says only that. The texts sent, in the budgets' order. Nothing
    // while the switch is off.
    QStringList notice(const ModelStore &store, const Levels &before, const QDateTime &now);

private:
    QSettings &m_settings;
    Send m_send;
};
