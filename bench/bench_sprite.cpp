// Flood fill and the canvas paint on the largest cell, to watch their cost stay in
// proportion to the pixels they touch.

#include "sprite/spriterender.h"
#include "sprite/spritesheet.h"
#include "sprite/spritetools.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

SpriteSheet largestSheet()
{
    SpriteSheet sheet;
    sheet.cellWidth = sheet.cellHeight = 255;
    allocateSheet(sheet);
    return sheet;
}

void fillOpenCell(benchmark::State& state)
{
    SpriteSheet sheet = largestSheet();
    std::uint8_t colour = 1;
    for (auto _ : state) {
        floodFill(sheet, 127, 127, colour);
        colour = std::uint8_t(colour % 15 + 1);
    }
}
BENCHMARK(fillOpenCell);

// Every other column a wall: a comb whose 127 teeth fill side by side.
void fillComb(benchmark::State& state)
{
    SpriteSheet sheet = largestSheet();
    for (int x = 1; x < 255; x += 2)
        for (int y = 1; y < 255; ++y)
            sheet.setPixel(x, y, 15);
    std::uint8_t colour = 1;
    for (auto _ : state) {
        floodFill(sheet, 0, 254, colour);
        colour = std::uint8_t(colour % 14 + 1);
    }
}
BENCHMARK(fillComb);

void paintCanvas(benchmark::State& state)
{
    SpriteSheet sheet;
    sheet.cellWidth = sheet.cellHeight = int(state.range(0));
    allocateSheet(sheet);
    sheet.pixelSize = std::max(1, 384 / sheet.cellWidth);
    QImage image(384, 384, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        paintSpriteCanvas(painter, sheet);
    }
}
BENCHMARK(paintCanvas)->Arg(16)->Arg(64)->Arg(255);

} // namespace

BENCHMARK_MAIN();
