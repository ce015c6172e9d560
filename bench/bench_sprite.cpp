// SPDX-License-Identifier: MIT
// The sprite page's costs on the largest cell, beside floors that touch the same pixels in
// a plain loop: flood fill of an open 255 x 255 cell and of a one-pixel maze, the undo
// snapshot, and the canvas paint at cell sizes 16, 64 and 255.

#include "benchsupport.h"

#include "core/sprite/spritesheet.h"
#include "core/sprite/spritetools.h"
#include "ui/sprite/spriterender.h"

#include <QImage>
#include <QPainter>

#include <cstring>

namespace {

constexpr int side = 255;

SpriteSheet sheetOf(int size)
{
    SpriteSheet sheet;
    sheet.cellWidth = sheet.cellHeight = size;
    allocateSheet(sheet);
    return sheet;
}

// A one-pixel maze: walls on every odd row, each with one gap, at the right end on one row
// and at the left on the next, so the one corridor snakes through the whole cell.
void drawMaze(SpriteSheet& sheet)
{
    for (int y = 1; y < side; y += 2) {
        const int gap = (y / 2) % 2 == 0 ? side - 1 : 0;
        for (int x = 0; x < side; ++x)
            if (x != gap)
                sheet.setPixel(x, y, 15);
    }
}

void fillOpen(benchmark::State& s)
{
    SpriteSheet sheet = sheetOf(side);
    std::uint8_t colour = 1;
    for (auto _ : s) {
        floodFill(sheet, side / 2, side / 2, colour);
        colour = std::uint8_t(colour % 14 + 1);
    }
    s.counters["pixels"] = side * side;
}

void fillMaze(benchmark::State& s)
{
    SpriteSheet sheet = sheetOf(side);
    drawMaze(sheet);
    std::uint8_t colour = 1;
    for (auto _ : s) {
        floodFill(sheet, 0, 0, colour);
        colour = std::uint8_t(colour % 14 + 1);
    }
    s.counters["pixels"] = (side / 2 + 1) * side + side / 2;
}

// The floor of both fills: every pixel of the cell read and written once, in place.
void floorTouchCell(benchmark::State& s)
{
    SpriteSheet sheet = sheetOf(side);
    std::uint8_t colour = 1;
    for (auto _ : s) {
        char* p = sheet.sheetStore.data() + sheet.cellOffset(0);
        for (int i = 0; i < side * side; ++i)
            if (p[i] != 15)
                p[i] = char(colour);
        benchmark::ClobberMemory();
        colour = std::uint8_t(colour % 14 + 1);
    }
}

void undoSnapshot(benchmark::State& s)
{
    SpriteSheet sheet = sheetOf(side);
    for (auto _ : s) {
        snapshotForUndo(sheet);
        benchmark::ClobberMemory();
    }
    s.SetBytesProcessed(qint64(s.iterations()) * sheet.sheetStore.size());
}

void floorCopySheet(benchmark::State& s)
{
    SpriteSheet sheet = sheetOf(side);
    QByteArray copy(sheet.sheetStore.size(), '\0');
    for (auto _ : s) {
        std::memcpy(copy.data(), sheet.sheetStore.constData(), size_t(sheet.sheetStore.size()));
        benchmark::ClobberMemory();
    }
    s.SetBytesProcessed(qint64(s.iterations()) * sheet.sheetStore.size());
}

SpriteSheet canvasSheet(int size)
{
    SpriteSheet sheet = sheetOf(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            sheet.setPixel(x, y, std::uint8_t((x ^ y) & 15));
    sheet.pixelSize = std::max(1, 384 / size);
    return sheet;
}

void paintCanvas(benchmark::State& s)
{
    const SpriteSheet sheet = canvasSheet(int(s.range(0)));
    QImage image(384, 384, QImage::Format_RGB32);
    for (auto _ : s) {
        QPainter painter(&image);
        paintSpriteCanvas(painter, sheet);
    }
}

// The floor of the canvas: the cell as an indexed image, scaled onto the canvas in one draw.
void floorScaledImage(benchmark::State& s)
{
    const SpriteSheet sheet = canvasSheet(int(s.range(0)));
    const int size = sheet.cellWidth;
    QImage cell(size, size, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 16; ++i)
        table.append(QRgb(0xFF000000u | (0x111111u * unsigned(i))));
    cell.setColorTable(table);
    QImage image(384, 384, QImage::Format_RGB32);
    for (auto _ : s) {
        for (int y = 0; y < size; ++y)
            std::memcpy(cell.scanLine(y), sheet.sheetStore.constData() + sheet.cellOffset(0) + y * size,
                        size_t(size));
        QPainter painter(&image);
        painter.drawImage(QRect(0, 0, size * sheet.pixelSize, size * sheet.pixelSize), cell);
    }
}

const bool registered = [] {
    const auto us = benchmark::kMicrosecond;
    benchmark::RegisterBenchmark("Floor/TouchEveryPixel/255", floorTouchCell)->Unit(us);
    benchmark::RegisterBenchmark("FloodFill/Open/255", fillOpen)->Unit(us);
    benchmark::RegisterBenchmark("FloodFill/Maze/255", fillMaze)->Unit(us);
    benchmark::RegisterBenchmark("Floor/CopySheet/255", floorCopySheet)->Unit(us);
    benchmark::RegisterBenchmark("UndoSnapshot/255", undoSnapshot)->Unit(us);
    benchmark::RegisterBenchmark("Floor/ScaledImage", floorScaledImage)->Arg(16)->Arg(64)->Arg(255)->Unit(us);
    benchmark::RegisterBenchmark("CanvasPaint", paintCanvas)->Arg(16)->Arg(64)->Arg(255)->Unit(us);
    return true;
}();

} // namespace

ZENKODO_BENCH_MAIN()
