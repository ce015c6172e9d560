// SPDX-License-Identifier: MIT
#include "core/sprite/celloperations.h"

#include "core/sprite/spritesheet.h"

#include <cstring>

namespace {

char* currentCellData(SpriteSheet& sheet)
{
    return sheet.sheetStore.data() + sheet.cellOffset(sheet.currentCell);
}

// Byte 2 of the header always holds the cell count modulo 256.
void storeCount(SpriteSheet& sheet, int count)
{
    sheet.cellCount = count;
    sheet.sheetStore[2] = char(count & 0xFF);
}

// Builds scratchCell from the current cell with source(x, y) giving, for each new pixel,
// the old pixel's index within the cell; then storeScratchCell puts it over the current cell.
template <typename Source> void transformCell(SpriteSheet& sheet, Source source)
{
    const int w = sheet.cellWidth;
    const int h = sheet.cellHeight;
    const char* cell = currentCellData(sheet);
    char* scratch = sheet.scratchCell.data();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            scratch[y * w + x] = cell[source(x, y)];
    storeScratchCell(sheet);
}

} // namespace

void storeScratchCell(SpriteSheet& sheet)
{
    std::memcpy(currentCellData(sheet), sheet.scratchCell.constData(), size_t(sheet.cellBytes()));
}

void addCell(SpriteSheet& sheet)
{
    snapshotForUndo(sheet);
    if (sheet.cellCount >= SpriteSheet::slotCount)
        return;
    sheet.currentCell = sheet.cellCount;
    storeCount(sheet, sheet.cellCount + 1);
}

void deleteCell(SpriteSheet& sheet)
{
    if (sheet.cellCount <= 1)
        return;
    snapshotForUndo(sheet);
    if (sheet.currentCell == sheet.cellCount - 1) {
        --sheet.currentCell;
        storeCount(sheet, sheet.cellCount - 1);
        return;
    }
    storeCount(sheet, sheet.cellCount - 1);
    const qsizetype bytes = qsizetype(sheet.cellCount - sheet.currentCell) * sheet.cellBytes();
    char* target = currentCellData(sheet);
    std::memmove(target, target + sheet.cellBytes(), size_t(bytes));
}

void previousCell(SpriteSheet& sheet)
{
    sheet.currentCell = sheet.currentCell <= 0 ? sheet.cellCount - 1 : sheet.currentCell - 1;
}

void nextCell(SpriteSheet& sheet)
{
    sheet.currentCell = sheet.currentCell + 1 >= sheet.cellCount ? 0 : sheet.currentCell + 1;
}

void copyCurrentCell(SpriteSheet& sheet)
{
    std::memcpy(sheet.copyCell.data(), currentCellData(sheet), size_t(sheet.cellBytes()));
}

void pasteCell(SpriteSheet& sheet)
{
    snapshotForUndo(sheet);
    std::memcpy(currentCellData(sheet), sheet.copyCell.constData(), size_t(sheet.cellBytes()));
}

bool rotateCell(SpriteSheet& sheet)
{
    const int n = sheet.cellWidth;
    if (n != sheet.cellHeight)
        return false;
    transformCell(sheet, [n](int x, int y) { return x * n + (n - 1 - y); });
    return true;
}

void flipCellV(SpriteSheet& sheet)
{
    const int w = sheet.cellWidth;
    transformCell(sheet, [w](int x, int y) { return y * w + (w - 1 - x); });
}

void flipCellH(SpriteSheet& sheet)
{
    const int w = sheet.cellWidth;
    const int h = sheet.cellHeight;
    transformCell(sheet, [w, h](int x, int y) { return (h - 1 - y) * w + x; });
}

void shiftCell(SpriteSheet& sheet)
{
    const int w = sheet.cellWidth;
    const int h = sheet.cellHeight;
    switch (sheet.shiftDirection) {
    case 0: // up: the new row y is the old row below it, the top row comes back at the bottom
        transformCell(sheet, [w, h](int x, int y) { return ((y + 1) % h) * w + x; });
        break;
    case 1: // right
        transformCell(sheet, [w](int x, int y) { return y * w + (x + w - 1) % w; });
        break;
    case 2: // down
        transformCell(sheet, [w, h](int x, int y) { return ((y + h - 1) % h) * w + x; });
        break;
    default: // left
        transformCell(sheet, [w](int x, int y) { return y * w + (x + 1) % w; });
        break;
    }
}

void nextShiftDirection(SpriteSheet& sheet)
{
    sheet.shiftDirection = std::uint8_t((sheet.shiftDirection + 1) % 4);
}

QString shiftDirectionCaption(int shiftDirection)
{
    return QString(QLatin1Char("URDL"[shiftDirection & 3]));
}

void eraseCell(SpriteSheet& sheet)
{
    snapshotForUndo(sheet);
    std::memset(currentCellData(sheet), 0, size_t(sheet.cellBytes()));
}
