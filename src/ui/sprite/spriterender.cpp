// SPDX-License-Identifier: MIT
#include "ui/sprite/spriterender.h"

#include "core/sprite/spritesheet.h"

#include <QImage>
#include <QPainter>

namespace {

const QColor crossGrey(0x77, 0x77, 0x77);
const QColor checkerDark(0x33, 0x33, 0x33);
const QColor checkerLight(0x66, 0x66, 0x66);

// Fills the rectangle from (left, top) up to (right, bottom), edges excluded at the right
// and bottom; an empty or inverted one paints nothing.
void fillEdges(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour)
{
    if (right > left && bottom > top)
        painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
}

QColor paletteColour(const SpriteSheet& sheet, std::uint8_t index)
{
    return QColor::fromRgb(sheet.palette[index & 0x0F]);
}

} // namespace

void paintSpriteCanvas(QPainter& painter, const SpriteSheet& sheet)
{
    const int z = sheet.pixelSize;
    const int h = z / 2;
    const int w = sheet.cellWidth;
    const int rows = sheet.cellHeight;
    fillEdges(painter, (w * z) / 2 - 1, 0, (w * z) / 2, rows * z, crossGrey);
    fillEdges(painter, 0, (rows * z) / 2 - 1, w * z, (rows * z) / 2, crossGrey);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t v = sheet.pixel(x, y);
            const int X = x * z;
            const int Y = y * z;
            if (z < 3) {
                // Below 3 units the gaps and quarters would leave nothing to see: a cell wider
                // than a third of the page is drawn as plain squares, colour 0 as the dark grey.
                fillEdges(painter, X, Y, X + z, Y + z, v != 0 ? paletteColour(sheet, v) : checkerDark);
                continue;
            }
            if (v != 0) {
                fillEdges(painter, X, Y, X + z - 2, Y + z - 2, paletteColour(sheet, v));
                continue;
            }
            fillEdges(painter, X, Y, X + h - 1, Y + h - 1, checkerDark);
            fillEdges(painter, X + h, Y + h, X + z - 2, Y + z - 2, checkerDark);
            fillEdges(painter, X + h, Y, X + z - 2, Y + h - 1, checkerLight);
            fillEdges(painter, X, Y + h, X + h - 1, Y + z - 2, checkerLight);
        }
    }
}

void paintPaletteStrip(QPainter& painter, const SpriteSheet& sheet, int stripHeight)
{
    const int s = stripHeight;
    const int h = s / 2;
    const int m = sheet.currentColour == 0 ? 0 : 2;
    fillEdges(painter, m, m, h, h, checkerDark);
    fillEdges(painter, h, h, s - m, s - m, checkerDark);
    fillEdges(painter, h, m, s - m, h, checkerLight);
    fillEdges(painter, m, h, h, s - m, checkerLight);
    for (int i = 1; i < 16; ++i) {
        const QColor colour = paletteColour(sheet, std::uint8_t(i));
        if (i == sheet.currentColour)
            fillEdges(painter, i * s, 0, i * s + s - 2, s - 2, colour);
        else
            fillEdges(painter, i * s + 2, 2, i * s + s - 4, s - 4, colour);
    }
}

void paintSpritePreview(QPainter& painter, const SpriteSheet& sheet)
{
    // One image drawn unsmoothed is the same as one filled unit square per pixel, at a
    // fraction of the cost for large cells.
    QImage image(sheet.cellWidth, sheet.cellHeight, QImage::Format_RGB32);
    for (int y = 0; y < sheet.cellHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < sheet.cellWidth; ++x)
            line[x] = sheet.palette[sheet.pixel(x, y) & 0x0F];
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, sheet.cellWidth, sheet.cellHeight), image);
}
