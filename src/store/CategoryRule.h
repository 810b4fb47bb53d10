// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The category the user chose for a counterparty's entries of one kind ("收入" or "支出"), so
// that the next import files them there without asking again.
struct CategoryRule {
    QString counterparty;
    QString kindRaw;
    QString category;

    friend bool operator==(const CategoryRule &, const CategoryRule &) = default;
};
