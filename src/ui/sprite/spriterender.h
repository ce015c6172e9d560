// SPDX-License-Identifier: MIT
#pragma once
// Painting of the three views of the current sprite cell: the magnified canvas, the palette
// strip and the true-colour preview. They paint into any QPainter, so a test can paint into
// a QImage; they change nothing.

class QPainter;
struct SpriteSheet;

// The current cell at sheet.pixelSize per pixel with the grey centre cross; colour 0 as a
// checker. Paints only the cross and the pixel squares: the gaps show what was there.
void paintSpriteCanvas(QPainter& painter, const SpriteSheet& sheet);

// Sixteen swatches of stripHeight units, the current colour larger, colour 0 as a checker.
void paintPaletteStrip(QPainter& painter, const SpriteSheet& sheet, int stripHeight);

// One unit per pixel in the painter's units, colour 0 in its true colour; the window draws
// it at scale 2.
void paintSpritePreview(QPainter& painter, const SpriteSheet& sheet);
