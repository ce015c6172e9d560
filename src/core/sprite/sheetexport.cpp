// SPDX-License-Identifier: MIT
#include "core/sprite/sheetexport.h"

#include "core/app/filename.h"
#include "core/app/targets.h"
#include "core/app/textfile.h"
#include "core/image/pngwriter.h"
#include "core/sprite/palettes.h"
#include "core/sprite/spritesheet.h"

#include <array>

namespace {

const char lowerDigits[] = "0123456789abcdef";

// A sprite file may carry bytes above 15; only the low four bits name a colour.
std::uint8_t colourIndex(char stored)
{
    return std::uint8_t(stored) & 0x0F;
}

std::uint8_t cellPixel(const SpriteSheet& sheet, int cell, int x, int y)
{
    return colourIndex(sheet.sheetStore[sheet.cellOffset(cell) + y * sheet.cellWidth + x]);
}

// Row y of cell's colour indices, cellWidth of them, into to.
void copyCellRow(const SpriteSheet& sheet, int cell, int y, char* to)
{
    const char* from = sheet.sheetStore.constData() + sheet.cellOffset(cell) + y * sheet.cellWidth;
    for (int x = 0; x < sheet.cellWidth; ++x)
        to[x] = char(colourIndex(from[x]));
}

// Where cell k's top-left pixel lands in an image perRow cells wide.
int cellLeft(const SpriteSheet& sheet, int perRow, int cell)
{
    return (cell % perRow) * sheet.cellWidth;
}

int cellTop(const SpriteSheet& sheet, int perRow, int cell)
{
    return (cell / perRow) * sheet.cellHeight;
}

// The sheet name gets a suffix, so "." and ".." name plain files; only a folder separator
// reaches outside the export folder.
QString nameError(const QString& name)
{
    if (fileNameProblem(name) == FileNameProblem::Separator)
        return QStringLiteral("The sheet name must be a plain file name, without folders.");
    return {};
}

Result<QString> failed(const QString& message)
{
    return Failure{message};
}

Result<QString> exported(const QString& path)
{
    return path;
}

Result<QString> exportTic80(const SpriteSheet& sheet, const ConsoleTarget& target, const QString& folder)
{
    // The banks themselves are TIC-80's fixed 128 x 128 halves of its 128 x 256 sheet.
    if (const QString error = sheetFitError(sheet, target.sheetWidth, target.sheetHeight); !error.isEmpty())
        return failed(error);
    const QString path = folder + QStringLiteral("/export.gif");
    const QByteArray indices = tic80SheetIndices(sheet);
    // The three files are synced one by one before each replaces its old one, their folder
    // once after the last.
    FolderSyncs folderSyncs;
    if (const Result<IndexedImage> written =
            writePaletteGif(indices, tic80SheetWidth, tic80SheetHeight, sheet.palette, 4, path, &folderSyncs);
        !written)
        return failed(written.message());
    // Current TIC-80 releases import PNG only, one 128 x 128 bank at a time: the upper half
    // holds the tiles, the lower the sprites. Import maps every pixel to the nearest colour
    // of the cart's palette, which in a new cart is SWEETIE-16; drawn in those colours,
    // every pixel keeps its index whatever palette the sheet is shown in here.
    const Palette sweetie16 =
        paletteFromHex(QString::fromLatin1(paletteTable[sweetie16PaletteIndex].defaultHex));
    std::array<std::uint32_t, 16> colours{};
    for (int i = 0; i < 16; ++i)
        colours[i] = sweetie16[i] & 0xFFFFFFu;
    const qsizetype bankBytes = qsizetype(tic80SheetWidth) * tic80BankHeight;
    const struct {
        const char* name;
        qsizetype offset;
    } banks[] = {{"/tiles.png", 0}, {"/sprites.png", bankBytes}};
    for (const auto& bank : banks) {
        const QString bankPath = folder + QLatin1String(bank.name);
        const Result<QByteArray> png =
            encodeIndexedPng(tic80SheetWidth, tic80BankHeight, indices.mid(bank.offset, bankBytes), colours);
        if (!png)
            return failed(QStringLiteral("Failed to create %1\n%2").arg(bankPath, png.message()));
        if (const Result<> written =
                writeFileAtomically(bankPath, *png, "Failed to create %1\n%2", &folderSyncs);
            !written)
            return failed(written.message());
    }
    if (const Result<> synced = folderSyncs.sync(); !synced)
        return failed(synced.message());
    return exported(path);
}

Result<QString> exportLiko12(const SpriteSheet& sheet, const ConsoleTarget& target, const QString& folder,
                             const QString& name)
{
    if (QString error = nameError(name); !error.isEmpty())
        return failed(error);
    if (QString error = sheetFitError(sheet, target.sheetWidth, target.sheetHeight); !error.isEmpty())
        return failed(error);
    const QString path = folder + u'/' + name + QStringLiteral(".lk12");
    if (const Result<> written =
            writeLinesCrLf(path, gpuimgLines(sheet, target.sheetWidth, target.sheetHeight));
        !written)
        return failed(written.message());
    return exported(path);
}

// One cell's colour indices, rows from the top.
QByteArray cellIndices(const SpriteSheet& sheet, int cell)
{
    QByteArray indices(sheet.cellBytes(), '\0');
    for (int y = 0; y < sheet.cellHeight; ++y)
        copyCellRow(sheet, cell, y, indices.data() + y * sheet.cellWidth);
    return indices;
}

Result<QString> exportPixilang(const SpriteSheet& sheet, const QString& folder, const QString& name)
{
    if (QString error = nameError(name); !error.isEmpty())
        return failed(error);
    if (sheet.cellWidth < 1 || sheet.cellHeight < 1)
        return failed(QStringLiteral("Sprites of %1 x %2 cannot be exported.")
                          .arg(sheet.cellWidth)
                          .arg(sheet.cellHeight));
    const QString stem = folder + u'/' + name;
    // Each cell's file is synced before it replaces the old one; the folder is synced once,
    // after the last, instead of once for each of up to 256 files.
    FolderSyncs folderSyncs;
    for (int k = 0; k < sheet.cellCount; ++k) {
        // One failure is enough to know the folder will not take the rest: stop here
        // rather than show the same message for every cell.
        if (const Result<IndexedImage> written =
                writePaletteGif(cellIndices(sheet, k), sheet.cellWidth, sheet.cellHeight, sheet.palette, 4,
                                stem + QString::number(k) + QStringLiteral(".gif"), &folderSyncs);
            !written)
            return failed(written.message());
    }
    if (const Result<> synced = folderSyncs.sync(); !synced)
        return failed(synced.message());
    return exported(stem + QStringLiteral("*.gif"));
}

} // namespace

QString sheetFitError(const SpriteSheet& sheet, int imageWidth, int imageHeight)
{
    const int w = sheet.cellWidth;
    const int h = sheet.cellHeight;
    if (w < 1 || h < 1)
        return QStringLiteral("Sprites of %1 x %2 cannot be exported.").arg(w).arg(h);
    if (w > imageWidth || h > imageHeight)
        return QStringLiteral("Sprites of %1 x %2 do not fit the %3 x %4 export image.")
            .arg(w)
            .arg(h)
            .arg(imageWidth)
            .arg(imageHeight);
    const int capacity = (imageWidth / w) * (imageHeight / h);
    if (sheet.cellCount > capacity)
        return QStringLiteral("The %1 x %2 export image holds %3 sprites of %4 x %5; this sheet has %6.")
            .arg(imageWidth)
            .arg(imageHeight)
            .arg(capacity)
            .arg(w)
            .arg(h)
            .arg(sheet.cellCount);
    return {};
}

QByteArray tic80SheetIndices(const SpriteSheet& sheet)
{
    QByteArray indices(qsizetype(tic80SheetWidth) * tic80SheetHeight, '\0');
    const int perRow = tic80SheetWidth / sheet.cellWidth;
    for (int k = 0; k < sheet.cellCount; ++k) {
        const int left = cellLeft(sheet, perRow, k);
        const int top = cellTop(sheet, perRow, k);
        for (int y = 0; y < sheet.cellHeight; ++y)
            copyCellRow(sheet, k, y, indices.data() + (top + y) * tic80SheetWidth + left);
    }
    return indices;
}

RgbPlanes tic80SheetPlanes(const SpriteSheet& sheet)
{
    const QByteArray indices = tic80SheetIndices(sheet);
    RgbPlanes planes(tic80SheetWidth, tic80SheetHeight);
    const qsizetype plane = qsizetype(tic80SheetWidth) * tic80SheetHeight;
    char* red = planes.bytes.data();
    for (qsizetype k = 0; k < plane; ++k) {
        const std::uint32_t rgb = sheet.palette[std::uint8_t(indices[k])];
        red[k] = char((rgb >> 16) & 0xFF);
        red[plane + k] = char((rgb >> 8) & 0xFF);
        red[2 * plane + k] = char(rgb & 0xFF);
    }
    return planes;
}

QStringList gpuimgLines(const SpriteSheet& sheet, int width, int height)
{
    QStringList lines;
    lines.reserve(height + 1);
    lines.append(QStringLiteral("LK12;GPUIMG;%1x%2;").arg(width).arg(height));
    for (int y = 0; y < height; ++y)
        lines.append(QString(width, u'0'));
    const int perRow = width / sheet.cellWidth;
    for (int k = 0; k < sheet.cellCount; ++k) {
        const int left = cellLeft(sheet, perRow, k);
        const int top = cellTop(sheet, perRow, k);
        for (int y = 0; y < sheet.cellHeight; ++y) {
            QString& line = lines[top + y + 1];
            for (int x = 0; x < sheet.cellWidth; ++x)
                line[left + x] = QLatin1Char(lowerDigits[cellPixel(sheet, k, x, y)]);
        }
    }
    return lines;
}

RgbPlanes cellPlanes(const SpriteSheet& sheet, int cell)
{
    RgbPlanes planes(sheet.cellWidth, sheet.cellHeight);
    for (int y = 0; y < sheet.cellHeight; ++y)
        for (int x = 0; x < sheet.cellWidth; ++x)
            planes.setPixel(x, y, sheet.palette[cellPixel(sheet, cell, x, y)]);
    return planes;
}

Result<QString> exportSheet(const SpriteSheet& sheet, const ConsoleTarget& target, const QString& folder,
                            const QString& name)
{
    switch (target.sheetExport) {
    case SheetExportKind::GpuimgText: return exportLiko12(sheet, target, folder, name);
    case SheetExportKind::CellGifs: return exportPixilang(sheet, folder, name);
    case SheetExportKind::Tic80Banks: break;
    }
    return exportTic80(sheet, target, folder);
}

Result<QString> exportSheet(const SpriteSheet& sheet, const QString& lang, const QString& folder,
                            const QString& name)
{
    return exportSheet(sheet, consoleTargetOrFirst(lang), folder, name);
}

QString exportMessage(const Result<QString>& exported)
{
    return exported ? QStringLiteral("Exported.\n") + *exported : exported.message();
}
