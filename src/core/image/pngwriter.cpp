// SPDX-License-Identifier: MIT
#include "core/image/pngwriter.h"

#include <csetjmp>
#include <png.h>
#include <vector>

namespace {

void appendToBuffer(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<QByteArray*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

void flushNothing(png_structp) {}

// libpng reports its errors by a long jump back to the setjmp below, so every object with
// a destructor lives in the caller and this frame holds plain data only.
bool runEncoder(png_structp png, png_infop info, int width, int height, int bitDepth, const png_color* table,
                int tableSize, png_bytep* rows, QByteArray* out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, appendToBuffer, flushNothing);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bitDepth, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, table, tableSize);
    // libpng's own defaults (zlib's default level, its filter choice for indexed rows): a
    // 128 x 128 bank gains a few bytes at level 9 and costs several times the time.
    png_write_info(png, info);
    // The rows hold one index per byte; libpng packs them to the image's bit depth.
    png_set_packing(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

Result<QByteArray> encodeIndexedPng(int width, int height, const QByteArray& indices,
                                    std::span<const std::uint32_t> colours)
{
    const auto fail = [](const QString& text) -> Result<QByteArray> { return Failure{text}; };
    if (width < 1 || height < 1 || indices.size() != qsizetype(width) * height || colours.empty() ||
        colours.size() > 256)
        return fail(QStringLiteral("The image cannot be encoded as PNG."));

    std::vector<png_color> table(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i)
        table[i] = png_color{png_byte(colours[i] >> 16 & 0xFF), png_byte(colours[i] >> 8 & 0xFF),
                             png_byte(colours[i] & 0xFF)};
    QByteArray pixels = indices; // libpng takes rows as non-const although it only reads them
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[std::size_t(y)] = reinterpret_cast<png_bytep>(pixels.data() + qsizetype(y) * width);

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    QByteArray out;
    const bool ok = info && runEncoder(png, info, width, height, colours.size() <= 16 ? 4 : 8, table.data(),
                                       int(table.size()), rows.data(), &out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok)
        return fail(QStringLiteral("The PNG image could not be encoded."));
    return out;
}
