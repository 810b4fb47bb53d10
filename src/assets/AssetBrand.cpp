// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetBrand.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Rule {
    const char16_t *text;
    bool exact;
    AssetBrand::Form form;
    const char16_t *name;
};

constexpr auto image = AssetBrand::Form::image;
constexpr auto symbol = AssetBrand::Form::symbol;

// Order matters: the first rule that matches wins.
constexpr std::array rules{
    Rule{u"农业", false, image, u"ABCLogo"},
    Rule{u"工商", false, image, u"ICBCLogo"},
    Rule{u"中国银行", false, image, u"BOCLogo"},
    Rule{u"建设", false, image, u"CCBLogo"},
    Rule{u"交通", false, image, u"BOCOMLogo"},
    Rule{u"招商", false, image, u"CMBLogo"},
    Rule{u"邮储", false, image, u"PSBCLogo"},
    Rule{u"平安", false, image, u"PingAnLogo"},
    Rule{u"浦发", false, image, u"SPDLogo"},
    Rule{u"微信", true, image, u"WeChatLogo"},
    Rule{u"支付宝", true, image, u"AlipayLogo"},
    Rule{u"支付宝小荷包", true, image, u"XiaohebaoLogo"},
    Rule{u"同花顺", true, image, u"TonghuashunLogo"},
    Rule{u"现金", true, symbol, u"banknote.fill"},
    Rule{u"信用卡", false, symbol, u"creditcard.fill"},
};

} // namespace

AssetBrand AssetBrand::forKind(const QString &kind)
{
    for (const Rule &rule : rules) {
        const QString text = QString::fromUtf16(rule.text);
        if (rule.exact ? kind == text : kind.contains(text))
            return {rule.form, QString::fromUtf16(rule.name)};
    }
    return {Form::symbol, u"building.columns.fill"_s};
}

QString AssetBrand::helpText(const QString &kind)
{
    return kind + u" 品牌标识"_s;
}
