// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the badge of an account kind shows: a bank's or a wallet's brand image, or a symbol.
struct AssetBrand {
    enum class Form { image, symbol };
    Form form = Form::symbol;
    // The brand image's name ("ICBCLogo") or the symbol's name ("banknote.fill").
    QString name;

    // The first matching rule decides: the bank names by substring, before the exact wallet
    // names, before the card symbols, so every bank card shows its bank.
    static AssetBrand forKind(const QString &kind);
    // The hover help of the badge: "<kind> 品牌标识".
    static QString helpText(const QString &kind);

    friend bool operator==(const AssetBrand &, const AssetBrand &) = default;
};
