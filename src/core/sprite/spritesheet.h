// SPDX-License-Identifier: MIT
#pragma once
// The sprite sheet: up to 256 cells of one size, one palette index per pixel, laid out
// exactly as the sprite file is (3 header bytes, then 256 cell slots), with the editing
// state around it and its one-level undo snapshot.

#include "core/sprite/palettes.h"

#include <QByteArray>

#include <cstdint>

struct SpriteSheet {
    int cellWidth = 16;
    int cellHeight = 16;
    int cellCount = 1;
    int currentCell = 0;
    QByteArray sheetStore; // 3 + 256 * W * H bytes
    std::uint8_t currentColour = 2;
    std::uint8_t penKind = 0;        // 0 Pen, 1 Fill, 2 Replace
    std::uint8_t shiftDirection = 0; // 0 up, 1 right, 2 down, 3 left
    QByteArray undoStore;
    int undoCell = 0;
    int undoCount = 0;
    bool undoValid = false;
    QByteArray copyCell;    // W * H
    QByteArray scratchCell; // W * H
    Palette palette{};
    int pixelSize = 1; // side of one sprite pixel on the canvas; kept >= 1

    static constexpr int slotCount = 256;
    static constexpr int headerSize = 3;

    int cellBytes() const { return cellWidth * cellHeight; }
    int cellOffset(int cell) const { return headerSize + cell * cellBytes(); }
    std::uint8_t pixel(int x, int y) const
    {
        return std::uint8_t(sheetStore[cellOffset(currentCell) + y * cellWidth + x]);
    }
    void setPixel(int x, int y, std::uint8_t colour)
    {
        sheetStore[cellOffset(currentCell) + y * cellWidth + x] = char(colour);
    }
};

// (Re)creates the buffers for the current cellWidth and cellHeight and empties the sheet;
// the undo snapshot is dropped.
void allocateSheet(SpriteSheet& sheet);

// Header W, H, 1; every slot zeroed; one cell, the first current. The window shows the new
// state with refreshCellLabel.
void clearSheet(SpriteSheet& sheet);

// Copies the whole sheet into the one undo snapshot (into the buffer allocateSheet made, so a
// press or a button never allocates).
void snapshotForUndo(SpriteSheet& sheet);

// Puts the snapshot back (header, all 256 slots, current cell and count) and gives it up, so
// a second call does nothing; false when there was no snapshot.
bool restoreUndo(SpriteSheet& sheet);
