// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>

// The spacing of the workspace pages, in points, named for what it separates. Screens that
// were laid out with different figures for the same thing keep them as separate entries, so
// that no page moves.
namespace Spacing {

// Around the content column of a scrolling page.
constexpr int pageMargin = 32;
// The widest the content column of a page grows; wider windows centre it.
constexpr int pageWidth = 1200;
// The overview, with two columns of blocks, grows wider.
constexpr int overviewPageWidth = 1280;
// Around a page that does not scroll as a whole: the bills, whose list scrolls by itself.
constexpr QMargins fixedPageMargins{28, 24, 28, 24};
// Between the blocks of a page (header, totals, grids) and between the columns of the overview.
constexpr int sectionSpacing = 20;
// The asset pages keep their blocks a little further apart.
constexpr int assetSectionSpacing = 22;
// Between the cards of a row of totals and between the cards of the savings grid.
constexpr int cardSpacing = 16;
// Between the fixed-asset cards.
constexpr int fixedAssetCardSpacing = 14;
// Between the account cards of an asset section.
constexpr int accountCardSpacing = 12;

// Around the content of a sheet; its title row sits a little nearer the top edge.
constexpr QMargins sheetMargins{20, 18, 20, 20};
// The entry form has no title row and keeps more room all round.
constexpr QMargins entrySheetMargins{24, 24, 24, 24};
// The sentence sheet, with its large heading, keeps more still.
constexpr QMargins sentenceSheetMargins{28, 28, 28, 28};

} // namespace Spacing
