// SPDX-License-Identifier: MIT
#pragma once
// What must hold of the sprite sheet after every step of a random walk and after every
// file it reads; shared by the randomized sprite test and the fuzz targets.

#include "core/sprite/spritefile.h"
#include "core/sprite/spritesheet.h"

#include <QBuffer>
#include <QString>

#include <cstdint>
#include <cstring>

// What is wrong with the sheet, or the empty text.
inline QString sheetProblem(const SpriteSheet& s)
{
    if (s.cellWidth < 1 || s.cellWidth > 255 || s.cellHeight < 1 || s.cellHeight > 255)
        return QStringLiteral("cells of %1 x %2").arg(s.cellWidth).arg(s.cellHeight);
    const qsizetype storeSize = SpriteSheet::headerSize + qsizetype(SpriteSheet::slotCount) * s.cellBytes();
    if (s.sheetStore.size() != storeSize)
        return QStringLiteral("store of %1 bytes, %2 expected").arg(s.sheetStore.size()).arg(storeSize);
    if (s.undoStore.size() != storeSize || s.copyCell.size() != s.cellBytes() ||
        s.scratchCell.size() != s.cellBytes())
        return QStringLiteral("undo, copy or scratch buffer of %1, %2, %3 bytes")
            .arg(s.undoStore.size())
            .arg(s.copyCell.size())
            .arg(s.scratchCell.size());
    if (s.cellCount < 1 || s.cellCount > SpriteSheet::slotCount)
        return QStringLiteral("%1 cells").arg(s.cellCount);
    if (s.currentCell < 0 || s.currentCell >= s.cellCount)
        return QStringLiteral("cell %1 current of %2").arg(s.currentCell).arg(s.cellCount);
    const auto header = [&s](int i) { return int(std::uint8_t(s.sheetStore[i])); };
    if (header(0) != s.cellWidth || header(1) != s.cellHeight || header(2) != (s.cellCount & 0xFF))
        return QStringLiteral("header %1 %2 %3 for %4 cells of %5 x %6")
            .arg(header(0))
            .arg(header(1))
            .arg(header(2))
            .arg(s.cellCount)
            .arg(s.cellWidth)
            .arg(s.cellHeight);
    // Every slot, used or not: a cell added later shows what its slot holds.
    // Eight bytes at a time: the check runs after every step of a walk over sheets of up
    // to 16 MB.
    const auto firstNonIndex = [](const QByteArray& bytes, qsizetype from) {
        const char* p = bytes.constData();
        qsizetype i = from;
        for (; i + 8 <= bytes.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if (word & 0xF0F0F0F0F0F0F0F0u)
                break;
        }
        while (i < bytes.size() && (std::uint8_t(p[i]) & 0xF0) == 0)
            ++i;
        return i;
    };
    if (const qsizetype i = firstNonIndex(s.sheetStore, SpriteSheet::headerSize); i < s.sheetStore.size())
        return QStringLiteral("pixel byte %1 at %2").arg(int(std::uint8_t(s.sheetStore[i]))).arg(i);
    if (firstNonIndex(s.copyCell, 0) < s.copyCell.size() ||
        firstNonIndex(s.scratchCell, 0) < s.scratchCell.size())
        return QStringLiteral("a pixel byte above 15 in the copy or scratch cell");
    if (s.currentColour > 15 || s.penKind > 2 || s.shiftDirection > 3)
        return QStringLiteral("colour %1, pen %2, direction %3")
            .arg(s.currentColour)
            .arg(s.penKind)
            .arg(s.shiftDirection);
    if (s.undoValid && (s.undoCount < 1 || s.undoCount > SpriteSheet::slotCount || s.undoCell < 0 ||
                        s.undoCell >= s.undoCount))
        return QStringLiteral("undo snapshot of cell %1 of %2").arg(s.undoCell).arg(s.undoCount);
    if (s.pixelSize < 1)
        return QStringLiteral("pixel size %1").arg(s.pixelSize);
    return {};
}

// The sheet's file bytes read back into a fresh sheet must give the same bytes.
inline QString spriteRoundTripProblem(const SpriteSheet& s)
{
    const QByteArray bytes = spriteFileBytes(s);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    SpriteSheet copy;
    allocateSheet(copy);
    const Result<SpriteFileLoad> load = loadSpriteFile(copy, buffer, QStringLiteral("round trip"));
    if (!load)
        return QStringLiteral("saved sheet not read back: ") + load.message();
    if (spriteFileBytes(copy) != bytes)
        return QStringLiteral("saved %1 bytes, read back %2")
            .arg(bytes.size())
            .arg(spriteFileBytes(copy).size());
    return {};
}
