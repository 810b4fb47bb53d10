// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetDimension.h"

using namespace Qt::StringLiterals;

QString AssetDimensions::rawValue(AssetDimension dimension)
{
    switch (dimension) {
    case AssetDimension::owned:
        return u"自有资产"_s;
    case AssetDimension::borrowable:
        return u"可借用资产"_s;
    case AssetDimension::liability:
        return u"负债"_s;
    }
    return {};
}

std::optional<AssetDimension> AssetDimensions::fromRaw(const QString &raw)
{
    for (AssetDimension dimension : all) {
        if (rawValue(dimension) == raw)
            return dimension;
    }
    return std::nullopt;
}

const QStringList &AssetDimensions::kinds(AssetDimension dimension)
{
    // The owned list keeps a plain "信用卡" and a 邮储 debit card that the credit list lacks.
    static const QStringList owned{
        u"现金"_s,           u"工商银行储蓄卡"_s, u"农业银行储蓄卡"_s, u"中国银行储蓄卡"_s,
        u"建设银行储蓄卡"_s, u"交通银行储蓄卡"_s, u"招商银行储蓄卡"_s, u"邮储银行储蓄卡"_s,
        u"平安银行储蓄卡"_s, u"浦发银行储蓄卡"_s, u"信用卡"_s,         u"微信"_s,
        u"支付宝"_s,         u"支付宝小荷包"_s,   u"同花顺"_s,
    };
    static const QStringList borrowable{
        u"工商银行信用卡"_s, u"农业银行信用卡"_s, u"中国银行信用卡"_s,
        u"建设银行信用卡"_s, u"交通银行信用卡"_s, u"招商银行信用卡"_s,
        u"平安银行信用卡"_s, u"浦发银行信用卡"_s, u"其他银行信用卡"_s,
    };
    static const QStringList liability{
        u"信用卡应还"_s, u"房贷"_s, u"车贷"_s, u"消费贷"_s, u"亲友借款"_s, u"其他负债"_s,
    };
    switch (dimension) {
    case AssetDimension::owned:
        return owned;
    case AssetDimension::borrowable:
        return borrowable;
    case AssetDimension::liability:
        return liability;
    }
    return owned;
}

bool AssetDimensions::isLiability(const QString &raw)
{
    return raw == rawValue(AssetDimension::liability);
}
