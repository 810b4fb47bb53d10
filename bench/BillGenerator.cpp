// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillGenerator.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QStringList>

using namespace Qt::StringLiterals;

// A bill of n rows shaped like a busy year: mostly small merchant payments, some red packets,
// transfers and incomes, a few part refunds, neutral top-ups and failed payments.
QByteArray BillGenerator::wechatBill(int n)
{
    const QStringList merchants{u"青禾小馆"_s,   u"晨光烘焙"_s,   u"城市轨道交通"_s, u"阿强水果店"_s,
                                u"布衣坊网店"_s, u"街角便利店"_s, u"城市超市"_s,     u"山水影城"_s,
                                u"李小北"_s,     u"周大姐"_s};
    const QStringList goods{u"午餐套餐"_s, u"咖啡"_s, u"地铁乘车码"_s, u"/"_s,          u"纯棉衣服"_s,
                            u"日用品"_s,   u"蔬菜"_s, u"电影票"_s,     u"充电宝租借"_s, u"话费充值"_s};
    const QStringList types{u"商户消费"_s, u"扫二维码付款"_s, u"微信红包"_s, u"转账"_s};
    QRandomGenerator random(20240301);
    QByteArray bill("\xEF\xBB\xBF");
    bill +=
        u"微信支付账单明细,,,,,,,,,,\n共%1笔记录,,,,,,,,,,\n"
        u"----------------------微信支付账单明细列表--------------------,,,,,,,,,,\n"
        u"交易时间,交易类型,交易对方,商品,收/支,金额(元),支付方式,当前状态,交易单号,商户单号,备注\n"_s.arg(n)
            .toUtf8();
    QDateTime time(QDate(2024, 12, 31), QTime(22, 0));
    for (int i = 0; i < n; ++i) {
        time = time.addSecs(-static_cast<qint64>(random.bounded(60, 600)));
        const int pick = static_cast<int>(random.bounded(100));
        const qint64 cents = 100 + random.bounded(20000);
        QString direction = u"支出"_s;
        QString status = u"支付成功"_s;
        if (pick < 5) {
            direction = u"/"_s;
            status = u"充值完成"_s;
        } else if (pick < 7) {
            status = u"支付失败"_s;
        } else if (pick < 9) {
            status = u"已退款(¥%1.00)"_s.arg(cents / 200);
        } else if (pick < 15) {
            direction = u"收入"_s;
            status = u"已收钱"_s;
        }
        const int who = static_cast<int>(random.bounded(merchants.size()));
        bill += u"%1,%2,%3,%4,%5,¥%6.%7,零钱,%8,42000%9\t,%10\t,/\n"_s
                    .arg(time.toString(u"yyyy-MM-dd HH:mm:ss"_s))
                    .arg(types.at(pick % types.size()), merchants.at(who), goods.at(who), direction)
                    .arg(cents / 100)
                    .arg(cents % 100, 2, 10, QChar(u'0'))
                    .arg(status)
                    .arg(i, 12, 10, QChar(u'0'))
                    .arg(i)
                    .toUtf8();
    }
    return bill;
}
