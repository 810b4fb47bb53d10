// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The three groups an account belongs to. The raw text is what an account stores and also
// the group's title on screen.
enum class AssetDimension { owned, borrowable, liability };

namespace AssetDimensions {

inline constexpr std::array<AssetDimension, 3> all{AssetDimension::owned, AssetDimension::borrowable,
                                                   AssetDimension::liability};

QString rawValue(AssetDimension dimension);
// Only the three exact raw texts name a dimension.
std::optional<AssetDimension> fromRaw(const QString &raw);
// The account kinds offered for the dimension, in menu order. The first is the form's default.
const QStringList &kinds(AssetDimension dimension);

// Whether an account's stored dimension text is exactly the liability one: it decides every
// wording of the detail screens and which changes count as repayments.
bool isLiability(const QString &raw);

} // namespace AssetDimensions
