// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The two ways of changing an account's amount. An increase stores +x, a deduction -x; on a
// liability an increase means more is owed and a deduction is a repayment.
enum class AssetAmountOperation { increase, deduction };

// Every text of the detail screens that depends on whether the account is a liability.
// Accounts of the two asset dimensions share one wording.
namespace AssetWording {

// "增加金额" / "扣除金额": the identity of the open amount form.
QString operationID(AssetAmountOperation operation);
QString actionTitle(AssetAmountOperation operation, bool liability);
QString confirmText(AssetAmountOperation operation, bool liability);
QString toolbarText(AssetAmountOperation operation, bool liability);
// "<actionTitle>：<name>"
QString formTitle(AssetAmountOperation operation, bool liability, const QString &accountName);

QString detailTitle(bool liability);
QString ledgerButton(bool liability);
QString emptyListText(bool liability);
// The title of a change without a note; zero counts as an increase.
QString rowTitle(double amount, bool liability);

// The stored amount for a typed positive number.
double signedAmount(AssetAmountOperation operation, double typed);
// "+¥5.00" for zero or more, "-¥5.00" below.
QString signedMoney(double amount);

} // namespace AssetWording
