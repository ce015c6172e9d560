// SPDX-License-Identifier: MIT
#include "core/gif/gifwriter.h"

#include "core/app/atomicfile.h"
#include "core/gif/mediancut.h"

#include <algorithm>
#include <array>
#include <gif_lib.h>
#include <memory>
#include <optional>

namespace {

const QString allocationFailed = QStringLiteral("Failed to allocate memory required, aborted3.");

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapDeleter>;

// Closes the handle after a failed step; the close's own code would only hide the one
// that matters.
void abandon(GifFileType* gif)
{
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
}

// GIFLIB's output function: the stream is gathered in memory (the handle's user data).
int appendToBytes(GifFileType* gif, const GifByteType* data, int size)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), size);
    return size;
}

// Encodes the GIF stream into out; on failure returns GIFLIB's code for the step that
// failed. The handle is released on every path.
std::optional<int> encodeGif(const QByteArray& indexBuffer, int width, int height, int colourBits,
                             const ColorMapObject* colourMap, QByteArray* out)
{
    int openError = 0;
    GifFileType* gif = EGifOpen(out, appendToBytes, &openError);
    if (!gif)
        return openError;
    if (EGifPutScreenDesc(gif, width, height, colourBits, 0, colourMap) == GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR) {
        const int code = gif->Error;
        abandon(gif);
        return code;
    }
    // GIFLIB takes rows as non-const although it only reads them.
    QByteArray rows = indexBuffer;
    auto* pixels = reinterpret_cast<GifPixelType*>(rows.data());
    for (int y = 0; y < height; ++y) {
        if (EGifPutLine(gif, pixels + qsizetype(y) * width, width) == GIF_ERROR) {
            const int code = gif->Error;
            abandon(gif);
            return code;
        }
    }
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) == GIF_ERROR)
        return closeError;
    return std::nullopt;
}

} // namespace

Result<> saveIndexedGif(const QByteArray& indexBuffer, int width, int height, int colourBits,
                        const ColorMapObject* colourMap, const QString& exportPath, FolderSyncs* folderSyncs)
{
    // The stream is built in memory and written by the one atomic writer: an export that
    // fails half-way (a full disk) never leaves a torn GIF where the console would load it,
    // and never replaces a good one.
    QByteArray bytes;
    if (const std::optional<int> code =
            encodeGif(indexBuffer, width, height, colourBits, colourMap, &bytes)) {
        const char* why = GifErrorString(*code);
        return Failure{QStringLiteral("Cannot write the GIF %1: %2")
                           .arg(exportPath, why ? QString::fromLatin1(why)
                                                : QStringLiteral("GIFLIB error %1").arg(*code))};
    }
    return writeFileAtomically(exportPath, bytes, "Failed to create file.\n%1: %2", folderSyncs);
}

namespace {

// The rest of both writers once the quantizer has filled indexBuffer and table: the file,
// then the indexed image it holds.
Result<IndexedImage> writeQuantized(const QByteArray& indexBuffer, int width, int height, int colourBits,
                                    std::span<const MedianCutColour> table, const QString& exportPath,
                                    FolderSyncs* folderSyncs)
{
    const int size = 1 << colourBits;
    MapPtr colourMap(GifMakeMapObject(size, nullptr));
    if (!colourMap)
        return Failure{allocationFailed};
    for (int i = 0; i < size; ++i)
        colourMap->Colors[i] =
            GifColorType{table[std::size_t(i)].red, table[std::size_t(i)].green, table[std::size_t(i)].blue};
    if (const Result<> saved =
            saveIndexedGif(indexBuffer, width, height, colourBits, colourMap.get(), exportPath, folderSyncs);
        !saved)
        return Failure{saved.message()};
    IndexedImage written;
    written.width = width;
    written.height = height;
    written.indices = indexBuffer;
    for (int i = 0; i < colourMap->ColorCount; ++i) {
        const GifColorType& c = colourMap->Colors[i];
        written.colours.append(std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue);
    }
    return written;
}

} // namespace

Result<IndexedImage> writeRgbGif(const RgbPlanes& rgbPlanes, int colourBits, const QString& exportPath,
                                 FolderSyncs* folderSyncs)
{
    const int width = rgbPlanes.width;
    const int height = rgbPlanes.height;
    const qsizetype plane = qsizetype(width) * height;
    if (width <= 0 || height <= 0 || colourBits < 1 || colourBits > 8 ||
        rgbPlanes.bytes.size() != 3 * plane) {
        return Failure{allocationFailed};
    }
    QByteArray indexBuffer(plane, '\0');
    if (indexBuffer.size() != plane)
        return Failure{allocationFailed};
    const auto* red = reinterpret_cast<const std::uint8_t*>(rgbPlanes.bytes.constData());
    const auto planeBytes = std::size_t(plane);
    std::array<MedianCutColour, 256> table;
    const auto used = std::span(table).first(std::size_t(1) << colourBits);
    medianCut({red, planeBytes}, {red + plane, planeBytes}, {red + 2 * plane, planeBytes},
              {reinterpret_cast<std::uint8_t*>(indexBuffer.data()), planeBytes}, used);
    return writeQuantized(indexBuffer, width, height, colourBits, used, exportPath, folderSyncs);
}

Result<IndexedImage> writePaletteGif(const QByteArray& paletteIndices, int width, int height,
                                     std::span<const std::uint32_t> palette, int colourBits,
                                     const QString& exportPath, FolderSyncs* folderSyncs)
{
    const qsizetype plane = qsizetype(width) * height;
    if (width <= 0 || height <= 0 || colourBits < 1 || colourBits > 8 || paletteIndices.size() != plane ||
        palette.empty() || palette.size() > 256 ||
        std::any_of(paletteIndices.begin(), paletteIndices.end(),
                    [&palette](char p) { return std::uint8_t(p) >= palette.size(); })) {
        return Failure{allocationFailed};
    }
    QByteArray indexBuffer(plane, '\0');
    if (indexBuffer.size() != plane)
        return Failure{allocationFailed};
    const auto planeBytes = std::size_t(plane);
    std::array<MedianCutColour, 256> table;
    const auto used = std::span(table).first(std::size_t(1) << colourBits);
    medianCutIndexed({reinterpret_cast<const std::uint8_t*>(paletteIndices.constData()), planeBytes}, palette,
                     {reinterpret_cast<std::uint8_t*>(indexBuffer.data()), planeBytes}, used);
    return writeQuantized(indexBuffer, width, height, colourBits, used, exportPath, folderSyncs);
}
