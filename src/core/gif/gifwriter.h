// SPDX-License-Identifier: MIT
#pragma once
// A true-colour image in memory written as a single-image GIF of at most 1 << colourBits
// colours, reduced by the median cut GIFLIB's quantizer makes.

#include "core/app/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <span>

struct ColorMapObject;
class FolderSyncs;

// The planar true-colour image: the red plane, then the green plane, then the blue plane,
// each width * height bytes, rows from the top.
struct RgbPlanes {
    int width = 0;
    int height = 0;
    QByteArray bytes;

    RgbPlanes() = default;
    RgbPlanes(int w, int h) : width(w), height(h), bytes(qsizetype(3) * w * h, '\0') {}

    void setPixel(int x, int y, std::uint32_t rgb)
    {
        const qsizetype plane = qsizetype(width) * height;
        const qsizetype at = qsizetype(y) * width + x;
        bytes[at] = char((rgb >> 16) & 0xFF);
        bytes[plane + at] = char((rgb >> 8) & 0xFF);
        bytes[2 * plane + at] = char(rgb & 0xFF);
    }
};

// What the quantizer made of an image: one table index per pixel and the colour table
// (0xRRGGBB, 1 << colourBits entries, unused ones black).
struct IndexedImage {
    int width = 0;
    int height = 0;
    QByteArray indices;
    QList<std::uint32_t> colours;
};

// Quantizes rgbPlanes to 1 << colourBits colours and writes the GIF at exportPath,
// replacing any file there only once the new one is complete. A success holds the indexed
// image the file holds; on failure nothing is left behind. folderSyncs, if given, takes the
// folder sync (see writeFileAtomically).
Result<IndexedImage> writeRgbGif(const RgbPlanes& rgbPlanes, int colourBits, const QString& exportPath,
                                 FolderSyncs* folderSyncs = nullptr);

// The same for an image given as palette indices (width * height of them, each naming one of
// palette's 1 to 256 0xRRGGBB colours): the file writeRgbGif writes for the image in those
// colours, without making its planes.
Result<IndexedImage> writePaletteGif(const QByteArray& paletteIndices, int width, int height,
                                     std::span<const std::uint32_t> palette, int colourBits,
                                     const QString& exportPath, FolderSyncs* folderSyncs = nullptr);

// The file-writing half of writeRgbGif: indexBuffer holds width * height table indices.
Result<> saveIndexedGif(const QByteArray& indexBuffer, int width, int height, int colourBits,
                        const ColorMapObject* colourMap, const QString& exportPath,
                        FolderSyncs* folderSyncs = nullptr);
