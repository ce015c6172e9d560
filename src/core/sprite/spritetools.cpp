// SPDX-License-Identifier: MIT
#include "core/sprite/spritetools.h"

#include "core/sprite/spritesheet.h"

#include <vector>

QString penKindCaption(int penKind)
{
    switch (penKind) {
    case 1: return QStringLiteral("Fl");
    case 2: return QStringLiteral("Rp");
    default: return QStringLiteral("Pn");
    }
}

void nextPenKind(SpriteSheet& sheet)
{
    sheet.penKind = std::uint8_t(sheet.penKind >= 2 ? 0 : sheet.penKind + 1);
}

std::optional<QPoint> canvasPixelAt(const SpriteSheet& sheet, double x, double y)
{
    const int z = sheet.pixelSize;
    // The left and top edges themselves are outside, except at one unit per pixel, where they
    // are the only way to reach the first column and row.
    const double edge = z == 1 ? -1.0 : 0.0;
    if (z < 1 || !(x > edge && y > edge && x >= 0 && y >= 0 && x < double(sheet.cellWidth) * z &&
                   y < double(sheet.cellHeight) * z))
        return std::nullopt;
    return QPoint(int(x) / z, int(y) / z);
}

std::optional<std::uint8_t> stripColourAt(double x, int stripHeight)
{
    if (stripHeight < 1 || x < 0)
        return std::nullopt;
    const int index = int(x) / stripHeight;
    if (index > 15)
        return std::nullopt;
    return std::uint8_t(index);
}

bool pressCanvas(SpriteSheet& sheet, int px, int py)
{
    snapshotForUndo(sheet);
    switch (sheet.penKind) {
    case 1:
        floodFill(sheet, px, py, sheet.currentColour);
        sheet.penKind = 0;
        return true;
    case 2:
        replaceColour(sheet, px, py, sheet.currentColour);
        sheet.penKind = 0;
        return true;
    default:
        if (sheet.pixel(px, py) == sheet.currentColour)
            return false;
        sheet.setPixel(px, py, sheet.currentColour);
        return true;
    }
}

bool dragCanvas(SpriteSheet& sheet, int px, int py)
{
    if (sheet.penKind != 0 || sheet.pixel(px, py) == sheet.currentColour)
        return false;
    sheet.setPixel(px, py, sheet.currentColour);
    return true;
}

void floodFill(SpriteSheet& sheet, int x, int y, std::uint8_t colour)
{
    const int w = sheet.cellWidth;
    const int h = sheet.cellHeight;
    std::uint8_t* cell =
        reinterpret_cast<std::uint8_t*>(sheet.sheetStore.data()) + sheet.cellOffset(sheet.currentCell);
    const auto at = [&](int px, int py) -> std::uint8_t& { return cell[py * w + px]; };

    const std::uint8_t old = at(x, y);
    if (old == colour)
        return;

    // A position enters at most twice (once from the row above, once from the row below),
    // so the queue never holds more than twice the area; it grows instead of wrapping.
    std::vector<QPoint> fillQueue;
    fillQueue.reserve(64);
    fillQueue.push_back({x, y});
    const auto scanRow = [&](int yr, int a, int b) {
        while (a <= b) {
            while (a <= b && at(a, yr) != old)
                ++a;
            if (a > b)
                return;
            while (a <= b && at(a, yr) == old)
                ++a;
            fillQueue.push_back({a - 1, yr});
        }
    };

    for (std::size_t next = 0; next < fillQueue.size(); ++next) {
        const QPoint p = fillQueue[next];
        const int py = p.y();
        if (at(p.x(), py) != old)
            continue;
        int r = p.x();
        while (r < w - 1 && at(r + 1, py) == old)
            ++r;
        int l = p.x();
        while (l > 0 && at(l - 1, py) == old)
            --l;
        for (int i = l; i <= r; ++i)
            at(i, py) = colour;
        if (py - 1 >= 0)
            scanRow(py - 1, l, r);
        if (py + 1 <= h - 1)
            scanRow(py + 1, l, r);
    }
}

void replaceColour(SpriteSheet& sheet, int x, int y, std::uint8_t colour)
{
    const std::uint8_t old = sheet.pixel(x, y);
    if (old == colour)
        return;
    char* cell = sheet.sheetStore.data() + sheet.cellOffset(sheet.currentCell);
    for (int i = 0; i < sheet.cellBytes(); ++i)
        if (std::uint8_t(cell[i]) == old)
            cell[i] = char(colour);
}
