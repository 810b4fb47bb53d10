// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FixedAssetFormView.h"

struct FixedAsset;

// "编辑固定资产": the item's current values in the form; nothing is written into the item
// until "保存修改" goes through.
class EditFixedAssetView final : public FixedAssetFormView {
    Q_OBJECT

public:
    EditFixedAssetView(ModelStore &store, const FixedAsset &asset, QWidget *parent = nullptr);
};
