// SPDX-License-Identifier: MIT
// The three sprite exports ("Ex") of a full sheet, 256 cells of 8 x 8, beside floors that
// write the same images straight with GIFLIB and libpng (at libpng's default settings) and
// sync each file: TIC-80's 128 x 256 GIF and its two 128 x 128 PNG banks, LIKO-12's GPUIMG
// text, and Pixilang's one GIF per cell.

#include "benchsupport.h"

#include "core/sprite/palettes.h"
#include "core/sprite/sheetexport.h"
#include "core/sprite/spritesheet.h"

#include <gif_lib.h>
#include <png.h>

#include <vector>

namespace {

const SpriteSheet& fullSheet()
{
    static const SpriteSheet sheet = [] {
        SpriteSheet s;
        s.cellWidth = s.cellHeight = 8;
        allocateSheet(s);
        s.cellCount = SpriteSheet::slotCount;
        for (int k = 0; k < s.cellCount; ++k)
            for (int i = 0; i < s.cellBytes(); ++i)
                s.sheetStore[s.cellOffset(k) + i] = char((k * 7 + i * 3 + i / 8) % 16);
        s.palette = paletteFromHex(QString::fromLatin1(paletteTable[sweetie16PaletteIndex].defaultHex));
        return s;
    }();
    return sheet;
}

int appendGifBytes(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// A 16-colour GIF of the indices, in the sheet's palette.
QByteArray gifOf(const QByteArray& indices, int width, int height, const Palette& palette)
{
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendGifBytes, &error);
    ColorMapObject* map = GifMakeMapObject(16, nullptr);
    for (int i = 0; i < 16; ++i)
        map->Colors[i] = GifColorType{GifByteType(palette[size_t(i)] >> 16),
                                      GifByteType(palette[size_t(i)] >> 8), GifByteType(palette[size_t(i)])};
    EGifPutScreenDesc(gif, width, height, 4, 0, map);
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    QByteArray row(width, '\0');
    for (int y = 0; y < height; ++y) {
        std::copy_n(indices.constData() + qsizetype(y) * width, width, row.data());
        EGifPutLine(gif, reinterpret_cast<GifPixelType*>(row.data()), width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

void appendPngBytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

void flushNothing(png_structp) {}

// A 4-bit palette PNG of the indices at libpng's default compression and filters.
QByteArray pngOf(const QByteArray& indices, int width, int height, const Palette& palette)
{
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendPngBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 4, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color table[16];
    for (int i = 0; i < 16; ++i)
        table[i] = png_color{png_byte(palette[size_t(i)] >> 16), png_byte(palette[size_t(i)] >> 8),
                             png_byte(palette[size_t(i)])};
    png_set_PLTE(png, info, table, 16);
    png_write_info(png, info);
    png_set_packing(png);
    QByteArray pixels = indices; // libpng reads its rows through non-const pointers
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[size_t(y)] = reinterpret_cast<png_bytep>(pixels.data() + qsizetype(y) * width);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

QString exportFolder()
{
    const QString f = bench::folder() + QStringLiteral("/export");
    QDir().mkpath(f);
    return f;
}

void exportTo(benchmark::State& s, const char* lang)
{
    const SpriteSheet& sheet = fullSheet();
    const QString folder = exportFolder();
    for (auto _ : s) {
        const Result<QString> r =
            exportSheet(sheet, QString::fromLatin1(lang), folder, QStringLiteral("sheet"));
        if (!r.ok())
            s.SkipWithError(qPrintable(r.message()));
    }
}

void floorTic80(benchmark::State& s)
{
    const SpriteSheet& sheet = fullSheet();
    const QString folder = exportFolder();
    const Palette sweetie16 =
        paletteFromHex(QString::fromLatin1(paletteTable[sweetie16PaletteIndex].defaultHex));
    for (auto _ : s) {
        const QByteArray indices = tic80SheetIndices(sheet);
        bench::writeAndSync(folder + QStringLiteral("/floor.gif"),
                            gifOf(indices, tic80SheetWidth, tic80SheetHeight, sheet.palette));
        const qsizetype bank = qsizetype(tic80SheetWidth) * tic80BankHeight;
        bench::writeAndSync(folder + QStringLiteral("/floor-tiles.png"),
                            pngOf(indices.first(bank), tic80SheetWidth, tic80BankHeight, sweetie16));
        bench::writeAndSync(folder + QStringLiteral("/floor-sprites.png"),
                            pngOf(indices.sliced(bank), tic80SheetWidth, tic80BankHeight, sweetie16));
    }
}

void floorLiko12(benchmark::State& s)
{
    const SpriteSheet& sheet = fullSheet();
    const QString folder = exportFolder();
    for (auto _ : s) {
        QByteArray out;
        for (const QString& line : gpuimgLines(sheet))
            out += line.toLatin1() + "\r\n";
        bench::writeAndSync(folder + QStringLiteral("/floor.lk12"), out);
    }
}

void floorPixilang(benchmark::State& s)
{
    const SpriteSheet& sheet = fullSheet();
    const QString folder = exportFolder();
    for (auto _ : s)
        for (int k = 0; k < sheet.cellCount; ++k) {
            const QByteArray indices = sheet.sheetStore.mid(sheet.cellOffset(k), sheet.cellBytes());
            bench::writeAndSync(folder + QStringLiteral("/floor%1.gif").arg(k),
                                gifOf(indices, sheet.cellWidth, sheet.cellHeight, sheet.palette));
        }
}

const bool registered = [] {
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("Floor/GiflibLibpng/Tic80/256cells", floorTic80)->Unit(ms)->UseRealTime();
    benchmark::RegisterBenchmark("Export/Tic80/256cells", exportTo, "0")->Unit(ms)->UseRealTime();
    benchmark::RegisterBenchmark("Floor/WriteText/Liko12/256cells", floorLiko12)->Unit(ms)->UseRealTime();
    benchmark::RegisterBenchmark("Export/Liko12/256cells", exportTo, "2")->Unit(ms)->UseRealTime();
    benchmark::RegisterBenchmark("Floor/Giflib/Pixilang/256cells", floorPixilang)
        ->Unit(ms)
        ->Iterations(3)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Export/Pixilang/256cells", exportTo, "3")
        ->Unit(ms)
        ->Iterations(3)
        ->UseRealTime();
    return true;
}();

} // namespace

ZENKODO_BENCH_MAIN()
