#pragma once

// The look of the whole application: Fusion style, the indigo palette, the Chinese UI font
// and the icon font. Call once after the QApplication exists.
namespace Theme {

void apply();

} // namespace Theme
