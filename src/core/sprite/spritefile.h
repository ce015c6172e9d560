// SPDX-License-Identifier: MIT
#pragma once
// Sprite files: the head of the sheet storage written out byte for byte (width, height,
// count modulo 256, then the pixels of the cells in use), and how such a file is read back
// into the sheet.

#include "core/app/result.h"

#include <QByteArray>
#include <QString>

class QIODevice;
struct SpriteSheet;

// The bytes Save writes: the first 3 + cellCount x W x H bytes of sheetStore.
QByteArray spriteFileBytes(const SpriteSheet& sheet);

// Why a name typed for a sprite file cannot be used, or the empty text when it can: an
// empty or blank name gives "Input file name.". Names with folder parts would write
// outside the sprite folder.
QString spriteFileNameProblem(const QString& name);

// Writes the sheet to path atomically. A failure's message is "Failed to create ", the
// path, a line break and the cause.
Result<> saveSpriteFile(const QString& path, const SpriteSheet& sheet);

// Save on the Sprite page: checks name, puts back spriteFilesDir (ending with "/") if it was
// removed since start-up, and writes the sheet there (the window then says "Saved."). On
// failure nothing is written.
Result<> saveSprite(const SpriteSheet& sheet, const QString& spriteFilesDir, const QString& name);

// What a sprite file that was read did to the sheet.
struct SpriteFileLoad {
    bool resized = false; // the cell size changed: the window lays itself out again
};

// Reads a sprite file into the sheet, the first cell current. A header the sheet cannot
// take (fewer than 3 bytes, width or height 0), a file that cannot be read or one that is
// not a regular file (a pipe, device or folder, never waited on) leaves the sheet as it
// was. A file of another cell size reallocates the sheet at the file's size. A
// count of 0 is a full sheet of 256 cells when the file holds them, otherwise the whole
// cells it holds (at least 1). A file shorter than its count announces fills what it holds;
// the other pixels keep what they had. Pixel bytes keep their low four bits (a palette
// index). Reads no more than the cells it needs.
Result<SpriteFileLoad> loadSpriteFile(SpriteSheet& sheet, const QString& path);
Result<SpriteFileLoad> loadSpriteFile(SpriteSheet& sheet, QIODevice& device, const QString& name);
