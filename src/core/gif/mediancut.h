// SPDX-License-Identifier: MIT
#pragma once
// GIFLIB's median-cut colour reduction (its GifQuantizeBuffer), worked over the colours an
// image holds instead of over a table of all 32,768 five-bit colours: the same indices and
// the same colour table for every image, at a cost that follows the pixels and the colours.

#include <cstdint>
#include <span>

// One colour table entry, as GIFLIB's colour map holds it.
struct MedianCutColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const MedianCutColour&) const = default;
};

// Reduces the image in red, green and blue (one byte per pixel each, as many pixels as
// indices has, at least one) to at most table.size() colours (1 to 256): writes one table
// index per pixel and every entry of table, those past the returned count black. Returns
// how many entries are used.
int medianCut(std::span<const std::uint8_t> red, std::span<const std::uint8_t> green,
              std::span<const std::uint8_t> blue, std::span<std::uint8_t> indices,
              std::span<MedianCutColour> table);

// The same for an image given as indices into palette (0xRRGGBB colours, 1 to 256 of them;
// every index names one): the result medianCut gives for the image in those colours, worked
// from the tally of each palette entry instead of from every pixel's colour.
int medianCutIndexed(std::span<const std::uint8_t> paletteIndices, std::span<const std::uint32_t> palette,
                     std::span<std::uint8_t> indices, std::span<MedianCutColour> table);
