// SPDX-License-Identifier: MIT
#pragma once
// The cell buttons of the Sprite page: add, delete, step, copy, paste, rotate, mirror,
// shift, erase. Each works in place on the storage allocateSheet made; rotate, the mirrors
// and the shift build the new cell in scratchCell first, so the source is never overwritten
// while it is read. Undo is restoreUndo (spritesheet.h).

#include <QString>

struct SpriteSheet;

// "Ad": takes the snapshot, then appends a cell after the last one and makes it current;
// at 256 cells only the snapshot is taken. The new cell shows whatever its slot last held.
void addCell(SpriteSheet& sheet);
// "Dl": removes the current cell (the last cell cannot go); the cells after it move down.
void deleteCell(SpriteSheet& sheet);
// "<-" and "->": the previous and next cell, wrapping around.
void previousCell(SpriteSheet& sheet);
void nextCell(SpriteSheet& sheet);
// "Cp": the current cell into copyCell.
void copyCurrentCell(SpriteSheet& sheet);
// "Ps": takes the snapshot, then copyCell over the current cell.
void pasteCell(SpriteSheet& sheet);
// "Rt": a quarter turn anticlockwise. A non-square cell (only a hand-made file gives one)
// does not fit its own frame turned, so it is left as it is; false then.
bool rotateCell(SpriteSheet& sheet);
// "Fv": mirrored left-right.
void flipCellV(SpriteSheet& sheet);
// "Fh": mirrored top-bottom.
void flipCellH(SpriteSheet& sheet);
// "Sh": every pixel one place in shiftDirection, the edge pushed out coming back opposite.
void shiftCell(SpriteSheet& sheet);
// The direction button: up, right, down, left in turn.
void nextShiftDirection(SpriteSheet& sheet);
// "U", "R", "D" or "L": the caption of the direction button.
QString shiftDirectionCaption(int shiftDirection);
// "Er": takes the snapshot, then every pixel of the current cell to 0.
void eraseCell(SpriteSheet& sheet);
// The W x H bytes of scratchCell over the current cell: the last step of "Rt", "Fv", "Fh"
// and "Sh", which build the new cell there first.
void storeScratchCell(SpriteSheet& sheet);
