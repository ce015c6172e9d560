// SPDX-License-Identifier: MIT
// The median cut, from colours and from palette indices, against GIFLIB's GifQuantizeBuffer
// on the same images: every index and every table entry, for tables of 2 to 256 colours,
// over images of one pixel to 255 x 255 with one to all 32,768 five-bit colours, equal
// tallies, greys, and colours that differ only in the bits the cut drops.

#include "core/gif/mediancut.h"

#include <QRandomGenerator>
#include <QTest>

#include <gif_lib.h>

#include <vector>

namespace {

enum class Pattern {
    Random,       // colours drawn anywhere, pixels pick them at random
    EqualTallies, // every colour covers the same number of pixels (as near as the size allows)
    LowBits,      // colours in clusters that differ only in the three dropped bits
    Grey,         // colours on the grey line, so every axis ties in width
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> red, green, blue;
    std::vector<std::uint32_t> palette; // what the pixels were drawn from
    std::vector<int> picks;             // each pixel's palette entry
};

Image makeImage(int width, int height, int colours, Pattern pattern, quint32 seed)
{
    QRandomGenerator random(seed);
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < colours; ++i) {
        switch (pattern) {
        case Pattern::LowBits:
            if (i % 4 != 0) {
                palette.push_back((palette[std::size_t(i - i % 4)] & 0xF8F8F8) |
                                  (random.generate() & 0x070707));
                break;
            }
            palette.push_back(random.generate() & 0xFFFFFF);
            break;
        case Pattern::Grey: {
            const std::uint32_t v = std::uint32_t(i * 255 / std::max(1, colours - 1));
            palette.push_back(v << 16 | v << 8 | v);
            break;
        }
        case Pattern::Random:
        case Pattern::EqualTallies:
            // Every five-bit colour exactly once when all of them are asked for.
            palette.push_back(colours == 32768 ? std::uint32_t((i >> 10) << 19 | ((i >> 5) & 31) << 11 |
                                                               (i & 31) << 3 | (random.generate() & 0x070707))
                                               : random.generate() & 0xFFFFFF);
            break;
        }
    }
    Image image;
    image.width = width;
    image.height = height;
    const int pixels = width * height;
    for (int k = 0; k < pixels; ++k) {
        const int pick = pattern == Pattern::EqualTallies ? k % colours : int(random.bounded(colours));
        const std::uint32_t c = palette[std::size_t(pick)];
        image.picks.push_back(pick);
        image.red.push_back(std::uint8_t(c >> 16));
        image.green.push_back(std::uint8_t(c >> 8));
        image.blue.push_back(std::uint8_t(c));
    }
    if (pattern == Pattern::EqualTallies) {
        // Shuffled, so that equal colours do not sit in order.
        for (int k = pixels - 1; k > 0; --k) {
            const auto j = std::size_t(random.bounded(k + 1));
            std::swap(image.red[std::size_t(k)], image.red[j]);
            std::swap(image.green[std::size_t(k)], image.green[j]);
            std::swap(image.blue[std::size_t(k)], image.blue[j]);
            std::swap(image.picks[std::size_t(k)], image.picks[j]);
        }
    }
    image.palette = palette;
    return image;
}

struct Quantized {
    int used = 0;
    QByteArray indices;
    QList<std::uint32_t> table;
};

std::uint32_t packed(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
}

Quantized byGiflib(Image image, int tableSize)
{
    Quantized q;
    q.indices.resize(image.width * image.height);
    // Filled with a colour GIFLIB must overwrite, so an entry it left alone would show.
    std::vector<GifColorType> map(std::size_t(tableSize), GifColorType{1, 2, 3});
    q.used = tableSize;
    if (GifQuantizeBuffer(unsigned(image.width), unsigned(image.height), &q.used, image.red.data(),
                          image.green.data(), image.blue.data(),
                          reinterpret_cast<GifByteType*>(q.indices.data()), map.data()) == GIF_ERROR)
        q.used = -1;
    for (const GifColorType& c : map)
        q.table.append(packed(c.Red, c.Green, c.Blue));
    return q;
}

Quantized byMedianCut(const Image& image, int tableSize)
{
    Quantized q;
    q.indices.resize(image.width * image.height);
    std::vector<MedianCutColour> table(std::size_t(tableSize), MedianCutColour{1, 2, 3});
    q.used =
        medianCut(image.red, image.green, image.blue,
                  {reinterpret_cast<std::uint8_t*>(q.indices.data()), std::size_t(q.indices.size())}, table);
    for (const MedianCutColour& c : table)
        q.table.append(packed(c.red, c.green, c.blue));
    return q;
}

// The image as palette indices, where its palette has at most 256 entries.
Quantized byMedianCutIndexed(const Image& image, int tableSize)
{
    Quantized q;
    q.indices.resize(image.width * image.height);
    std::vector<std::uint8_t> paletteIndices(image.picks.begin(), image.picks.end());
    std::vector<MedianCutColour> table(std::size_t(tableSize), MedianCutColour{1, 2, 3});
    q.used = medianCutIndexed(
        paletteIndices, image.palette,
        {reinterpret_cast<std::uint8_t*>(q.indices.data()), std::size_t(q.indices.size())}, table);
    for (const MedianCutColour& c : table)
        q.table.append(packed(c.red, c.green, c.blue));
    return q;
}

} // namespace

class TestMedianCut : public QObject {
    Q_OBJECT
private slots:
    void sameAsGiflib_data();
    void sameAsGiflib();
};

void TestMedianCut::sameAsGiflib_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("pattern");

    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {8, 8}, {45, 45}, {46, 46}, {128, 256}, {255, 255}};
    const int colourCounts[] = {1, 2, 16, 17, 255, 256, 257, 4000, 32768};
    const struct {
        Pattern pattern;
        const char* name;
    } patterns[] = {{Pattern::Random, "random"},
                    {Pattern::EqualTallies, "equal tallies"},
                    {Pattern::LowBits, "low bits"},
                    {Pattern::Grey, "grey"}};
    for (const auto& size : sizes)
        for (const int colours : colourCounts)
            for (const auto& p : patterns) {
                // Images smaller than their palette say nothing new beyond the first few.
                if (colours > 4 * size.width * size.height && colours != 32768)
                    continue;
                QTest::addRow("%dx%d, %d colours, %s", size.width, size.height, colours, p.name)
                    << size.width << size.height << colours << int(p.pattern);
            }
}

void TestMedianCut::sameAsGiflib()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, colours);
    QFETCH(int, pattern);
    const Image image =
        makeImage(width, height, colours, Pattern(pattern), quint32(width * 7919 + colours * 31));
    for (int bits = 1; bits <= 8; ++bits) {
        const Quantized expected = byGiflib(image, 1 << bits);
        QVERIFY(expected.used > 0);
        const Quantized got = byMedianCut(image, 1 << bits);
        QCOMPARE(got.used, expected.used);
        QCOMPARE(got.table, expected.table);
        QCOMPARE(got.indices, expected.indices);
        if (image.palette.size() <= 256) {
            const Quantized fromPalette = byMedianCutIndexed(image, 1 << bits);
            QCOMPARE(fromPalette.used, expected.used);
            QCOMPARE(fromPalette.table, expected.table);
            QCOMPARE(fromPalette.indices, expected.indices);
        }
    }
}

QTEST_GUILESS_MAIN(TestMedianCut)
#include "test_mediancut.moc"
