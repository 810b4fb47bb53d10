// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetWording.h"

#include "model/Money.h"

using namespace Qt::StringLiterals;

QString AssetWording::operationID(AssetAmountOperation operation)
{
    return operation == AssetAmountOperation::increase ? u"增加金额"_s : u"扣除金额"_s;
}

QString AssetWording::actionTitle(AssetAmountOperation operation, bool liability)
{
    if (!liability)
        return operationID(operation);
    return operation == AssetAmountOperation::increase ? u"增加负债"_s : u"还款"_s;
}

QString AssetWording::confirmText(AssetAmountOperation operation, bool liability)
{
    if (operation == AssetAmountOperation::increase)
        return u"确认增加"_s;
    return liability ? u"确认还款"_s : u"确认扣除"_s;
}

QString AssetWording::toolbarText(AssetAmountOperation operation, bool liability)
{
    if (liability)
        return actionTitle(operation, true);
    return operation == AssetAmountOperation::increase ? u"增加"_s : u"扣除"_s;
}

QString AssetWording::formTitle(AssetAmountOperation operation, bool liability, const QString &accountName)
{
    return actionTitle(operation, liability) + u"："_s + accountName;
}

QString AssetWording::detailTitle(bool liability)
{
    return liability ? u"管理负债"_s : u"管理资产"_s;
}

QString AssetWording::ledgerButton(bool liability)
{
    return liability ? u"负债账单"_s : u"账单"_s;
}

QString AssetWording::emptyListText(bool liability)
{
    return liability ? u"还没有负债变动记录"_s : u"还没有金额变动记录"_s;
}

QString AssetWording::rowTitle(double amount, bool liability)
{
    return actionTitle(amount >= 0 ? AssetAmountOperation::increase : AssetAmountOperation::deduction,
                       liability);
}

double AssetWording::signedAmount(AssetAmountOperation operation, double typed)
{
    return operation == AssetAmountOperation::increase ? typed : -typed;
}

QString AssetWording::signedMoney(double amount)
{
    return amount >= 0 ? u"+"_s + Money::text(amount) : Money::text(amount);
}
