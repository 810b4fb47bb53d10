// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The look of the whole application: Fusion style, the indigo palette in the desktop's light
// or dark scheme, the Chinese UI font and the icon font. Call once after the QApplication
// exists, before any window is built.
namespace Theme {

void apply();
// Applies one scheme regardless of the desktop; widgets built afterwards take its colours.
void applyScheme(bool dark);

// Whether the desktop prefers a dark scheme. PENNYLOOM_COLOR_SCHEME=dark|light decides when
// set; otherwise the desktop portal's appearance setting, then GTK_THEME's ":dark" variant,
// then the platform's own palette.
bool desktopPrefersDark();

} // namespace Theme
