// SPDX-License-Identifier: MIT
#include "core/gif/mediancut.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <vector>

// GIFLIB keeps the top five bits of each channel and chains the five-bit colours present in
// the order of their 15-bit number (red highest); it then splits, as often as the table has
// room, the subdivision with the widest extent on one axis: sorted along that axis, cut
// where the pixel tally passes half. Every step below keeps GIFLIB's arithmetic, including
// its oddities, because a different cut would change the bytes of every GIF written.

namespace {

constexpr int keptBits = 5;
constexpr int droppedBits = 8 - keptBits;
constexpr int colourCount = 1 << (3 * keptBits);

// Images up to this many pixels find their colours by sorting the pixels; larger ones count
// them in a table of every colour, whose setting up their pixels outweigh.
constexpr std::size_t sortedPixelsUpTo = 2048;

int keyOf(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (r >> droppedBits) << (2 * keptBits) | (g >> droppedBits) << keptBits | b >> droppedBits;
}

// One five-bit colour present in the image.
struct Entry {
    std::int64_t count = 0;  // its pixels
    std::uint32_t first = 0; // where its pixels start in the sorted pixel list (small images),
                             // or its rank among the colours (images given as palette indices)
    std::uint16_t key = 0;
    std::array<std::uint8_t, 3> rgb{};
    std::array<int, 3> order{}; // its sort key for a cut along each axis
};

// GIFLIB's sort key: the split axis first, then the next two in turn. Distinct colours get
// distinct keys, so the order is total and does not depend on the sort's stability.
int sortKey(const std::array<std::uint8_t, 3>& rgb, int axis)
{
    return rgb[axis] * 256 * 256 + rgb[(axis + 1) % 3] * 256 + rgb[(axis + 2) % 3];
}

Entry entryFor(int key, std::int64_t count, std::uint32_t first)
{
    Entry e;
    e.count = count;
    e.first = first;
    e.key = std::uint16_t(key);
    e.rgb = {std::uint8_t(key >> (2 * keptBits)), std::uint8_t((key >> keptBits) & 0x1F),
             std::uint8_t(key & 0x1F)};
    for (int axis = 0; axis < 3; ++axis)
        e.order[axis] = sortKey(e.rgb, axis);
    return e;
}

// A run of entries that becomes one table entry. Bounds are kept on the 8-bit scale in
// bytes, so they wrap as GIFLIB's do.
struct Subdivision {
    std::array<std::uint8_t, 3> min{0, 0, 0};
    std::array<std::uint8_t, 3> width{255, 255, 255};
    std::uint32_t begin = 0;
    std::uint32_t entries = 0;
    // GIFLIB's pixel tally, unsigned as there. A split leaves each half with the other
    // half's tally, and later cuts of that half are placed by it.
    std::uint64_t count = 0;
};

// Splits subdivisions until the table is full or none holds two colours; returns how many
// there are. The entries of subdivision i stay in entries[begin, begin + entries).
int subdivide(std::vector<Entry>& entries, std::vector<Subdivision>& subdivisions, int tableSize)
{
    int used = 1;
    while (used < tableSize) {
        int maxSize = -1;
        int index = 0;
        int axis = 0;
        for (int i = 0; i < used; ++i)
            for (int j = 0; j < 3; ++j)
                if (int(subdivisions[i].width[j]) > maxSize && subdivisions[i].entries > 1) {
                    maxSize = subdivisions[i].width[j];
                    index = i;
                    axis = j;
                }
        if (maxSize == -1)
            break;

        Subdivision& cut = subdivisions[index];
        Entry* run = entries.data() + cut.begin;
        std::sort(run, run + cut.entries,
                  [axis](const Entry& a, const Entry& b) { return a.order[axis] < b.order[axis]; });

        // Add colours to the first half while the tally stays within half of the
        // subdivision's; the second half keeps at least one.
        auto sum = std::int64_t(cut.count / 2 - std::uint64_t(run[0].count));
        std::uint32_t firstHalf = 1;
        std::int64_t firstCount = run[0].count;
        while ((sum -= run[firstHalf].count) >= 0 && firstHalf + 1 < cut.entries) {
            firstCount += run[firstHalf].count;
            ++firstHalf;
        }
        const unsigned maxColour = unsigned(run[firstHalf - 1].rgb[axis]) << droppedBits;
        const unsigned minColour = unsigned(run[firstHalf].rgb[axis]) << droppedBits;

        Subdivision& second = subdivisions[used];
        second = cut;
        second.begin = cut.begin + firstHalf;
        second.entries = cut.entries - firstHalf;
        second.count = std::uint64_t(firstCount);
        second.width[axis] = std::uint8_t(second.min[axis] + second.width[axis] - minColour);
        second.min[axis] = std::uint8_t(minColour);
        cut.count -= std::uint64_t(firstCount);
        cut.entries = firstHalf;
        cut.width[axis] = std::uint8_t(maxColour - cut.min[axis]);
        ++used;
    }
    return used;
}

// The table entry of each subdivision: the plain mean of its colours (not weighted by
// pixels), scaled back to eight bits with the division truncating.
void fillTable(const std::vector<Entry>& entries, const std::vector<Subdivision>& subdivisions, int used,
               std::span<MedianCutColour> table)
{
    std::fill(table.begin(), table.end(), MedianCutColour{});
    for (int i = 0; i < used; ++i) {
        const Subdivision& s = subdivisions[i];
        std::array<long, 3> sums{};
        for (std::uint32_t k = s.begin; k < s.begin + s.entries; ++k)
            for (int c = 0; c < 3; ++c)
                sums[c] += entries[k].rgb[c];
        const long n = long(s.entries);
        table[i] = MedianCutColour{std::uint8_t((sums[0] << droppedBits) / n),
                                   std::uint8_t((sums[1] << droppedBits) / n),
                                   std::uint8_t((sums[2] << droppedBits) / n)};
    }
}

// The cut of the colours in entries (in the order of their number) of an image of pixels
// pixels, with the table filled in; returns how many subdivisions there are.
int cutColours(std::vector<Entry>& entries, std::size_t pixels, std::vector<Subdivision>& subdivisions,
               std::span<MedianCutColour> table)
{
    subdivisions.assign(table.size(), Subdivision{});
    subdivisions[0].entries = std::uint32_t(entries.size());
    subdivisions[0].count = pixels;
    const int used = subdivide(entries, subdivisions, int(table.size()));
    fillTable(entries, subdivisions, used, table);
    return used;
}

} // namespace

int medianCut(std::span<const std::uint8_t> red, std::span<const std::uint8_t> green,
              std::span<const std::uint8_t> blue, std::span<std::uint8_t> indices,
              std::span<MedianCutColour> table)
{
    const std::size_t pixels = indices.size();
    assert(pixels > 0 && red.size() == pixels && green.size() == pixels && blue.size() == pixels);
    assert(!table.empty() && table.size() <= 256);

    std::vector<Entry> entries;
    std::vector<Subdivision> subdivisions;
    if (pixels <= sortedPixelsUpTo) {
        // Each pixel as its colour above its position: sorted, equal colours form runs in
        // the order of their 15-bit number.
        std::vector<std::uint32_t> sorted(pixels);
        for (std::size_t k = 0; k < pixels; ++k)
            sorted[k] = std::uint32_t(keyOf(red[k], green[k], blue[k])) << 16 | std::uint32_t(k);
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t k = 0; k < pixels;) {
            const std::uint32_t key = sorted[k] >> 16;
            std::size_t end = k + 1;
            while (end < pixels && sorted[end] >> 16 == key)
                ++end;
            entries.push_back(entryFor(int(key), std::int64_t(end - k), std::uint32_t(k)));
            k = end;
        }
        const int used = cutColours(entries, pixels, subdivisions, table);
        for (int i = 0; i < used; ++i) {
            const Subdivision& s = subdivisions[i];
            for (std::uint32_t e = s.begin; e < s.begin + s.entries; ++e)
                for (std::int64_t p = 0; p < entries[e].count; ++p)
                    indices[sorted[entries[e].first + std::size_t(p)] & 0xFFFF] = std::uint8_t(i);
        }
        return used;
    }

    // Each pixel's colour is kept for the second pass; the colours are listed as they first
    // appear, then put in the order of their number.
    std::vector<std::uint16_t> keys(pixels);
    std::vector<std::uint32_t> counts(colourCount, 0);
    std::vector<std::uint16_t> present;
    for (std::size_t k = 0; k < pixels; ++k) {
        const auto key = std::uint16_t(keyOf(red[k], green[k], blue[k]));
        keys[k] = key;
        if (counts[key]++ == 0)
            present.push_back(key);
    }
    std::sort(present.begin(), present.end());
    entries.reserve(present.size());
    for (const std::uint16_t key : present)
        entries.push_back(entryFor(key, counts[key], 0));
    const int used = cutColours(entries, pixels, subdivisions, table);
    std::vector<std::uint8_t> indexOf(colourCount, 0);
    for (int i = 0; i < used; ++i) {
        const Subdivision& s = subdivisions[i];
        for (std::uint32_t e = s.begin; e < s.begin + s.entries; ++e)
            indexOf[entries[e].key] = std::uint8_t(i);
    }
    for (std::size_t k = 0; k < pixels; ++k)
        indices[k] = indexOf[keys[k]];
    return used;
}

int medianCutIndexed(std::span<const std::uint8_t> paletteIndices, std::span<const std::uint32_t> palette,
                     std::span<std::uint8_t> indices, std::span<MedianCutColour> table)
{
    const std::size_t pixels = indices.size();
    assert(pixels > 0 && paletteIndices.size() == pixels && !palette.empty() && palette.size() <= 256);
    assert(!table.empty() && table.size() <= 256);
    // The cut sees only each colour and its pixel tally: those come from the tally of each
    // palette entry, palette entries of one five-bit colour adding up.
    std::array<std::int64_t, 256> tally{};
    for (const std::uint8_t p : paletteIndices)
        ++tally[p];
    const auto keyOfEntry = [&palette](std::size_t p) {
        const std::uint32_t rgb = palette[p];
        return std::uint16_t(keyOf(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)));
    };
    std::vector<std::uint16_t> keys;
    for (std::size_t p = 0; p < palette.size(); ++p)
        if (tally[p] > 0)
            keys.push_back(keyOfEntry(p));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    const auto rankOf = [&keys](std::uint16_t key) {
        return std::size_t(std::lower_bound(keys.begin(), keys.end(), key) - keys.begin());
    };
    std::vector<std::int64_t> counts(keys.size(), 0);
    for (std::size_t p = 0; p < palette.size(); ++p)
        if (tally[p] > 0)
            counts[rankOf(keyOfEntry(p))] += tally[p];
    std::vector<Entry> entries;
    entries.reserve(keys.size());
    for (std::size_t r = 0; r < keys.size(); ++r)
        entries.push_back(entryFor(keys[r], counts[r], std::uint32_t(r)));

    std::vector<Subdivision> subdivisions;
    const int used = cutColours(entries, pixels, subdivisions, table);
    std::vector<std::uint8_t> indexOfRank(keys.size(), 0);
    for (int i = 0; i < used; ++i) {
        const Subdivision& s = subdivisions[i];
        for (std::uint32_t e = s.begin; e < s.begin + s.entries; ++e)
            indexOfRank[entries[e].first] = std::uint8_t(i);
    }
    std::array<std::uint8_t, 256> indexOf{};
    for (std::size_t p = 0; p < palette.size(); ++p)
        if (tally[p] > 0)
            indexOf[p] = indexOfRank[rankOf(keyOfEntry(p))];
    for (std::size_t k = 0; k < pixels; ++k)
        indices[k] = indexOf[paletteIndices[k]];
    return used;
}
