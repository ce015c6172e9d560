// SPDX-License-Identifier: MIT
#pragma once
// The drawing tools of the sprite canvas (Pen, Fill, Replace) acting on the current cell,
// and how canvas and strip positions become pixels and colours.

#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>

struct SpriteSheet;

// "Pn", "Fl" or "Rp": the caption of the tool button for a pen kind.
QString penKindCaption(int penKind);

// Pen, Fill, Replace, Pen, ... in turn.
void nextPenKind(SpriteSheet& sheet);

// The cell pixel under a canvas position, or nothing outside the drawn grid. A position on
// the left or top edge itself (0) is outside (except at pixel size 1, where it is the first
// column or row), as are positions at W x pixelSize and beyond.
std::optional<QPoint> canvasPixelAt(const SpriteSheet& sheet, double x, double y);

// The colour of the strip swatch under x, or nothing past the sixteenth swatch (the strip
// is as wide as the page, up to 15 units more than 16 swatches).
std::optional<std::uint8_t> stripColourAt(double x, int stripHeight);

// A press on pixel (px, py) with the current tool: takes the undo snapshot first, whatever
// the tool will do, and leaves Fill and Replace for Pen after their one use. True when the
// cell may have changed and wants a repaint.
bool pressCanvas(SpriteSheet& sheet, int px, int py);

// A drag over pixel (px, py): only the Pen draws, with no new snapshot. True when the pixel
// changed.
bool dragCanvas(SpriteSheet& sheet, int px, int py);

// Four-connected scanline fill of the current cell from (x, y), positions taken first in,
// first out. The queue grows as needed, so every area is filled whole at any cell size,
// and the work is in proportion to the area filled.
void floodFill(SpriteSheet& sheet, int x, int y, std::uint8_t colour);

// Every pixel of the current cell that has the colour of (x, y), connected or not, becomes
// colour.
void replaceColour(SpriteSheet& sheet, int x, int y, std::uint8_t colour);
