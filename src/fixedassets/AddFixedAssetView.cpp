// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddFixedAssetView.h"

#include "FixedAssetFormModel.h"

using namespace Qt::StringLiterals;

AddFixedAssetView::AddFixedAssetView(ModelStore &store, QWidget *parent)
    : FixedAssetFormView(store, new FixedAssetFormModel, u"新增固定资产"_s, u"保存"_s,
                         u"备注（可填写型号或编号）"_s, parent)
{
}
