// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The brand images of the account badges, drawn by the program itself: a rounded tile in the
// brand's colour carrying its short Chinese name. They are looked up by image name, like
// shipped resources would be.
namespace AssetBrandArtwork {

// The thirteen image names.
const QStringList &names();
bool has(const QString &imageName);
// "工行" for "ICBCLogo"; empty for an unknown name.
QString shortName(const QString &imageName);
// The image at a logical size; a null pixmap for an unknown name.
QPixmap image(const QString &imageName, QSize size, qreal devicePixelRatio = 1.0);

} // namespace AssetBrandArtwork
