// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditFixedAssetView.h"

#include "FixedAssetFormModel.h"

using namespace Qt::StringLiterals;

EditFixedAssetView::EditFixedAssetView(ModelStore &store, const FixedAsset &asset, QWidget *parent)
    : FixedAssetFormView(store, new FixedAssetFormModel(asset), u"编辑固定资产"_s, u"保存修改"_s, u"备注"_s,
                         parent)
{
}
