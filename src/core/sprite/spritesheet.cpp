#include "sprite/spritesheet.h"

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
    sheet.undoStore = sheet.sheetStore;
    sheet.undoCell = sheet.currentCell;
    sheet.undoCount = sheet.cellCount;
    sheet.undoValid = true;
}
