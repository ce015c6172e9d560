// SPDX-License-Identifier: MIT
#pragma once
// Sprite test helpers: small sheets built from digit strings and a one-line dump of a
// whole sheet, so a test compares the state of every cell in one QCOMPARE.

#include "core/sprite/spritesheet.h"

#include <QString>
#include <QStringList>

// A sheet of w x h cells holding the cells of cellsText: cells separated by spaces, each
// the hex digits of its pixels row by row, the current cell marked with "*"
// ("12 *34 56"). The other slots are 0.
inline SpriteSheet makeSheet(int w, int h, const QString& cellsText)
{
    SpriteSheet sheet;
    sheet.cellWidth = w;
    sheet.cellHeight = h;
    allocateSheet(sheet);
    const QStringList cells = cellsText.split(u' ', Qt::SkipEmptyParts);
    sheet.cellCount = int(cells.size());
    sheet.sheetStore[2] = char(sheet.cellCount & 0xFF);
    for (int k = 0; k < cells.size(); ++k) {
        QString digits = cells[k];
        if (digits.startsWith(u'*')) {
            sheet.currentCell = k;
            digits.remove(0, 1);
        }
        for (int i = 0; i < digits.size() && i < sheet.cellBytes(); ++i)
            sheet.sheetStore[sheet.cellOffset(k) + i] = char(QString(digits[i]).toInt(nullptr, 16));
    }
    return sheet;
}

// An empty sheet of count cells of w x h, every pixel 0.
inline SpriteSheet makeBlankSheet(int w, int h, int count)
{
    SpriteSheet sheet;
    sheet.cellWidth = w;
    sheet.cellHeight = h;
    allocateSheet(sheet);
    sheet.cellCount = count;
    sheet.sheetStore[2] = char(count & 0xFF);
    return sheet;
}

inline QString cellDigits(const SpriteSheet& sheet, int cell)
{
    QString text;
    for (int i = 0; i < sheet.cellBytes(); ++i)
        text += QString::number(std::uint8_t(sheet.sheetStore[sheet.cellOffset(cell) + i]), 16);
    return text;
}

// The cells in use as makeSheet writes them, then "|" and the slot just past the last cell,
// then the header bytes when they disagree with the state, then "undo" when a snapshot is
// held: "12 *34 | 56 undo".
inline QString dumpSheet(const SpriteSheet& sheet)
{
    QStringList cells;
    for (int k = 0; k < sheet.cellCount; ++k)
        cells.append((k == sheet.currentCell ? QStringLiteral("*") : QString()) + cellDigits(sheet, k));
    QString text = cells.join(u' ');
    if (sheet.cellCount < SpriteSheet::slotCount)
        text += QStringLiteral(" | ") + cellDigits(sheet, sheet.cellCount);
    const int w = std::uint8_t(sheet.sheetStore[0]);
    const int h = std::uint8_t(sheet.sheetStore[1]);
    const int n = std::uint8_t(sheet.sheetStore[2]);
    if (w != (sheet.cellWidth & 0xFF) || h != (sheet.cellHeight & 0xFF) || n != (sheet.cellCount & 0xFF))
        text += QStringLiteral(" header %1 %2 %3").arg(w).arg(h).arg(n);
    if (sheet.undoValid)
        text += QStringLiteral(" undo");
    return text;
}

inline void setCellPixel(SpriteSheet& sheet, int cell, int x, int y, int colour)
{
    sheet.sheetStore[sheet.cellOffset(cell) + y * sheet.cellWidth + x] = char(colour);
}

inline int cellPixel(const SpriteSheet& sheet, int cell, int x, int y)
{
    return sheet.sheetStore[sheet.cellOffset(cell) + y * sheet.cellWidth + x];
}

// The colour index an image of imageWidth should show at (x, y): found from the pixel's
// side, the cell whose grid square holds it, so it does not mirror the exporter's loop.
inline int expectedIndex(const SpriteSheet& sheet, int imageWidth, int x, int y)
{
    const int perRow = imageWidth / sheet.cellWidth;
    const int column = x / sheet.cellWidth;
    const int k = (y / sheet.cellHeight) * perRow + column;
    if (column >= perRow || k >= sheet.cellCount)
        return 0;
    return cellPixel(sheet, k, x % sheet.cellWidth, y % sheet.cellHeight);
}
