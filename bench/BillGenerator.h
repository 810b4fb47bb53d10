// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Generated import files for the benchmarks.
namespace BillGenerator {

// A WeChat Pay bill of n rows shaped like a busy year: mostly small merchant payments, some red
// packets, transfers and incomes, a few part refunds, neutral top-ups and failed payments.
QByteArray wechatBill(int n);

} // namespace BillGenerator
