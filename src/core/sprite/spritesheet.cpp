// SPDX-License-Identifier: MIT
#include "core/sprite/spritesheet.h"

#include <cstring>

void allocateSheet(SpriteSheet& sheet)
{
    const qsizetype bytes = SpriteSheet::headerSize + qsizetype(SpriteSheet::slotCount) * sheet.cellBytes();
    sheet.sheetStore = QByteArray(bytes, '\0');
    sheet.undoStore = QByteArray(bytes, '\0');
    sheet.copyCell = QByteArray(sheet.cellBytes(), '\0');
    sheet.scratchCell = QByteArray(sheet.cellBytes(), '\0');
    sheet.undoValid = false;
    clearSheet(sheet);
}

void clearSheet(SpriteSheet& sheet)
{
    sheet.sheetStore.fill('\0');
    sheet.sheetStore[0] = char(sheet.cellWidth & 0xFF);
    sheet.sheetStore[1] = char(sheet.cellHeight & 0xFF);
    sheet.sheetStore[2] = 1;
    sheet.currentCell = 0;
    sheet.cellCount = 1;
}

void snapshotForUndo(SpriteSheet& sheet)
{
    if (sheet.undoStore.size() == sheet.sheetStore.size())
        std::memcpy(sheet.undoStore.data(), sheet.sheetStore.constData(), size_t(sheet.sheetStore.size()));
    else
        sheet.undoStore = QByteArray(sheet.sheetStore.constData(), sheet.sheetStore.size());
    sheet.undoCell = sheet.currentCell;
    sheet.undoCount = sheet.cellCount;
    sheet.undoValid = true;
}

bool restoreUndo(SpriteSheet& sheet)
{
    if (!sheet.undoValid || sheet.undoStore.size() != sheet.sheetStore.size())
        return false;
    sheet.undoValid = false;
    std::memcpy(sheet.sheetStore.data(), sheet.undoStore.constData(), size_t(sheet.sheetStore.size()));
    sheet.currentCell = sheet.undoCell;
    sheet.cellCount = sheet.undoCount;
    return true;
}
