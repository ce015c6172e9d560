// SPDX-License-Identifier: MIT
#pragma once
// Indexed PNG images for the consoles that import PNG only, encoded by libpng into memory
// so that the caller writes them through the one atomic file writer.

#include "core/app/result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>

// indices holds width * height colour indices, rows from the top; colours holds the table
// they index (0xRRGGBB, at most 256 entries; 16 or fewer give a 4-bit image). An index
// must lie inside the table.
Result<QByteArray> encodeIndexedPng(int width, int height, const QByteArray& indices,
                                    std::span<const std::uint32_t> colours);
