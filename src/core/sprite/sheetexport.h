// SPDX-License-Identifier: MIT
#pragma once
// "Ex": the sprite sheet in the form each console imports: a 128 x 256 GIF sheet (with its
// two 128 x 128 halves as PNG in TIC-80's own colours) for TIC-80, a 192 x 128 GPUIMG text
// image for LIKO-12, one GIF per cell for Pixilang.

#include "core/app/result.h"
#include "core/gif/gifwriter.h"

#include <QString>
#include <QStringList>

struct ConsoleTarget;
struct SpriteSheet;

inline constexpr int tic80SheetWidth = 128;
inline constexpr int tic80SheetHeight = 256;
inline constexpr int tic80BankHeight = 128; // the tiles bank, then the sprites bank
inline constexpr int gpuimgWidth = 192;
inline constexpr int gpuimgHeight = 128;

// Why the cells of the sheet cannot all be laid out in reading order over an image of that
// size (cells wider or taller than the image, or more of them than it holds); empty when
// they fit.
QString sheetFitError(const SpriteSheet& sheet, int imageWidth, int imageHeight);

// The TIC-80 sheet as 128 x 256 colour indices, rows from the top: 0 everywhere, every cell
// drawn at its place in the grid. The upper half is TIC-80's tiles bank, the lower half its
// sprites bank. The cells must fit (sheetFitError).
QByteArray tic80SheetIndices(const SpriteSheet& sheet);
// The same sheet in the palette's colours.
RgbPlanes tic80SheetPlanes(const SpriteSheet& sheet);
// The LIKO-12 image: the header line and height rows of width lower-case digits. The cells
// must fit.
QStringList gpuimgLines(const SpriteSheet& sheet, int width = gpuimgWidth, int height = gpuimgHeight);
// One cell as a W x H image in the palette's colours (the export writes it from the cell's
// indices, to the same file).
RgbPlanes cellPlanes(const SpriteSheet& sheet, int cell);

// Writes the export of the target into folder; name is the sheet's name as typed (LIKO-12
// and Pixilang name their files after it). Files are replaced only when complete; a
// Pixilang export stops at the first cell that cannot be written. A success holds the path
// its message shows; a failure says why nothing (more) was written.
Result<QString> exportSheet(const SpriteSheet& sheet, const ConsoleTarget& target, const QString& folder,
                            const QString& name);
// The same for the row of the setting "lang" among the built-in targets; a value that names
// none takes the first row's (TIC-80's) form.
Result<QString> exportSheet(const SpriteSheet& sheet, const QString& lang, const QString& folder,
                            const QString& name);

// The message "Ex" shows: "Exported." and the path on success, otherwise the failure's.
QString exportMessage(const Result<QString>& exported);
