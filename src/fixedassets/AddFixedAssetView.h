// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FixedAssetFormView.h"

// "新增固定资产": a new item, from the form's initial values each time it opens.
class AddFixedAssetView final : public FixedAssetFormView {
    Q_OBJECT

public:
    explicit AddFixedAssetView(ModelStore &store, QWidget *parent = nullptr);
};
