// SPDX-License-Identifier: MIT
// Fuzzes the sprite file reader: whatever bytes a file holds, reading it leaves a sheet
// whose sizes, header and palette indices agree, or refuses it and leaves the sheet as it
// was; what the sheet then saves reads back the same, and every cell button, "Sp" and the
// in-memory exports work on the sheet it read, whatever its cell size.

#include "core/commands/spritedata.h"
#include "core/sprite/celloperations.h"
#include "core/sprite/sheetexport.h"
#include "core/sprite/spritetools.h"
#include "fuzzsupport.h"
#include "spritechecks.h"

#include <QBuffer>

#include <array>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the cell size the sheet has before the file is read, so files
    // of the same size and of another size are both read over a sheet in use.
    static constexpr std::array sizes{16, 8, 1, 3, 32, 16, 7, 2};
    SpriteSheet sheet;
    sheet.cellWidth = sizes[data[0] & 7];
    sheet.cellHeight = sheet.cellWidth;
    allocateSheet(sheet);
    for (qsizetype i = SpriteSheet::headerSize; i < sheet.sheetStore.size(); i += 7)
        sheet.sheetStore[i] = char(i % 16);

    QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    // Most runs read cells of at most 24 x 24, so they are quick; one in 32 keeps the header
    // as it is, up to 255 x 255 (16 MB a sheet). A zero stays a zero.
    if ((data[0] >> 3) != 0)
        for (qsizetype i = 0; i < qMin<qsizetype>(2, bytes.size()); ++i)
            if (const int b = std::uint8_t(bytes[i]); b != 0)
                bytes[i] = char(1 + (b - 1) % 24);
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    const QByteArray before = sheet.sheetStore;
    const Result<SpriteFileLoad> load = loadSpriteFile(sheet, file, QStringLiteral("fuzz"));
    if (!load) {
        check(!load.message().isEmpty(), "a refused file gives no message");
        check(sheet.sheetStore == before, "a refused file changed the sheet");
        return 0;
    }
    check(sheetProblem(sheet));
    check(spriteRoundTripProblem(sheet));

    // The text and image forms go pixel by pixel through the same loops whatever the size;
    // on big sheets they would only slow the search down.
    if (qsizetype(sheet.cellCount) * sheet.cellBytes() <= 16384) {
        for (const char* lang : {"2", "3"})
            spriteDataLines(sheet, QString::fromLatin1(lang));
        if (sheetFitError(sheet, tic80SheetWidth, tic80SheetHeight).isEmpty())
            tic80SheetPlanes(sheet);
        if (sheetFitError(sheet, gpuimgWidth, gpuimgHeight).isEmpty())
            check(gpuimgLines(sheet).size() == 1 + gpuimgHeight, "GPUIMG image of the wrong height");
    }
    cellPlanes(sheet, sheet.currentCell);

    // Every cell button once, the drawing tools at the far corner, then undo.
    const int x = sheet.cellWidth - 1;
    const int y = sheet.cellHeight - 1;
    sheet.currentColour = 5;
    for (std::uint8_t pen = 0; pen < 3; ++pen) {
        sheet.penKind = pen;
        pressCanvas(sheet, x, y);
        dragCanvas(sheet, 0, 0);
    }
    copyCurrentCell(sheet);
    for (void (*operation)(SpriteSheet&) :
         {addCell, nextCell, pasteCell, flipCellV, flipCellH, previousCell, eraseCell, deleteCell}) {
        operation(sheet);
        check(sheetProblem(sheet));
    }
    rotateCell(sheet);
    for (std::uint8_t direction = 0; direction < 4; ++direction) {
        sheet.shiftDirection = direction;
        shiftCell(sheet);
    }
    check(sheetProblem(sheet));
    restoreUndo(sheet);
    check(sheetProblem(sheet));
    return 0;
}
