// SPDX-License-Identifier: MIT
#pragma once
// The font atlas of the code view: 16 x 16 cells of 10 x 10 pixels, the 8 x 8 glyph of
// code 16 * row + column inside each cell; the lower half holds the same glyphs inverted.

#include <QImage>
#include <array>
#include <cstdint>

inline constexpr int atlasSize = 160;
inline constexpr int atlasCell = 10;

extern const std::array<std::array<std::uint8_t, 8>, 128> fontGlyphs;

// Grey 247 on 6 above, 8 on 249 below; the one-pixel ring black above, white below.
QImage buildFontAtlas();
