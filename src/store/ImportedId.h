// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUuid>

// Which line of which source an entry was imported from: the source ("wechat", "alipay",
// "csv" …) and the transaction id the file gave the line. One line is imported once.
struct ImportedId {
    QUuid entryID;
    QString source;
    QString transactionID;
};
