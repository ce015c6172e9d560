// SPDX-License-Identifier: MIT
// "Ex" in the core: the LIKO-12 GPUIMG file read back by its own format's rules, the
// TIC-80 sheet and Pixilang cells, the TIC-80 PNG banks imported the way TIC-80 imports
// them, the GIF writer's file layout and colours, and every refusal and write failure.

#include "core/gif/gifwriter.h"
#include "core/sprite/palettes.h"
#include "core/sprite/sheetexport.h"
#include "core/sprite/spritesheet.h"
#include "spritesupport.h"
#include "testsupport.h"

#include <QDir>
#include <QTest>
#include <gif_lib.h>
#include <optional>
#include <png.h>

namespace {

// A blank sheet in the DB16 colours.
SpriteSheet makeSheet(int w, int h, int count)
{
    SpriteSheet sheet = makeBlankSheet(w, h, count);
    const QString db16 = QLatin1String(paletteTable[0].defaultHex);
    for (int i = 0; i < 16; ++i)
        sheet.palette[i] = 0xFF000000u | parseHexColour(QStringView(db16).mid(6 * i, 6));
    return sheet;
}

// Every pixel of every cell slot some colour, the same for the same seed.
void scribble(SpriteSheet& sheet, std::uint32_t seed)
{
    for (qsizetype i = SpriteSheet::headerSize; i < sheet.sheetStore.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        sheet.sheetStore[i] = char(seed >> 16 & 0x0F);
    }
}

// LIKO-12's image text: "LK12;GPUIMG;", the width, "x", the height, ";", then one
// hexadecimal digit per pixel, row by row from the top; line breaks carry no pixels.
struct GpuImage {
    int width = 0;
    int height = 0;
    QByteArray pixels;
    int at(int x, int y) const { return pixels[y * width + x]; }
};

std::optional<GpuImage> parseGpuImage(const QByteArray& text)
{
    const QByteArray magic = "LK12;GPUIMG;";
    if (!text.startsWith(magic))
        return {};
    const qsizetype cross = text.indexOf('x', magic.size());
    const qsizetype semicolon = text.indexOf(';', cross + 1);
    if (cross < 0 || semicolon < 0)
        return {};
    bool okW = false;
    bool okH = false;
    GpuImage image;
    image.width = text.mid(magic.size(), cross - magic.size()).toInt(&okW);
    image.height = text.mid(cross + 1, semicolon - cross - 1).toInt(&okH);
    if (!okW || !okH)
        return {};
    for (qsizetype i = semicolon + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n')
            continue;
        if (c >= '0' && c <= '9')
            image.pixels.append(char(c - '0'));
        else if (c >= 'a' && c <= 'f')
            image.pixels.append(char(c - 'a' + 10));
        else if (c >= 'A' && c <= 'F')
            image.pixels.append(char(c - 'A' + 10));
        else
            return {};
    }
    if (image.pixels.size() != qsizetype(image.width) * image.height)
        return {};
    return image;
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

std::uint32_t rgbOf(std::uint32_t argb)
{
    return argb & 0xFFFFFF;
}

// A PNG file decoded to 8-bit RGB rows, as TIC-80 reads an image; nothing when libpng
// cannot read it.
struct RgbImage {
    int width = 0;
    int height = 0;
    QByteArray rgb;
};

std::optional<RgbImage> decodePng(const QByteArray& file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.constData(), std::size_t(file.size())))
        return {};
    image.format = PNG_FORMAT_RGB;
    RgbImage out{int(image.width), int(image.height), QByteArray(qsizetype(PNG_IMAGE_SIZE(image)), '\0')};
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr))
        return {};
    return out;
}

// TIC-80's import: the palette colour nearest to a pixel by the sum of the squared
// differences of red, green and blue, the first one on a tie.
int nearestColour(const Palette& palette, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    int nearest = 0;
    std::uint32_t best = ~0u;
    for (int i = 0; i < 16; ++i) {
        const int dr = r - int(palette[i] >> 16 & 0xFF);
        const int dg = g - int(palette[i] >> 8 & 0xFF);
        const int db = b - int(palette[i] & 0xFF);
        const auto d = std::uint32_t(dr * dr + dg * dg + db * db);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

} // namespace

class TestSheetExport : public QObject {
    Q_OBJECT

private slots:
    void likoFreshSheet();
    void likoReadBack_data();
    void likoReadBack();
    void likoLandmarks();
    void tic80Planes_data();
    void tic80Planes();
    void tic80GifLayout();
    void tic80PngsImportAsDrawn_data();
    void tic80PngsImportAsDrawn();
    void gifColours_data();
    void gifColours();
    void gifFailureInWords();
    void pixilangFiles();
    void gifsAsGiflibQuantizes_data();
    void gifsAsGiflibQuantizes();
    void emptyName();
    void replacesExistingFiles();
    void refusals_data();
    void refusals();
    void writeFailures_data();
    void writeFailures();
};

void TestSheetExport::likoFreshSheet()
{
    TempHome home;
    const SpriteSheet sheet = makeSheet(16, 16, 1);
    const Result<QString> result = exportSheet(sheet, "2", home.path(), "hero");
    const QString path = home.path() + "/hero.lk12";
    QCOMPARE(exportMessage(result), "Exported.\n" + path);
    QVERIFY(result.ok());
    QByteArray expected = "LK12;GPUIMG;192x128;\r\n";
    for (int y = 0; y < 128; ++y)
        expected += QByteArray(192, '0') + "\r\n";
    QCOMPARE(expected.size(), 24854);
    QCOMPARE(readBytes(path), expected);
}

void TestSheetExport::likoReadBack_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    QTest::newRow("16x16, 1 cell") << 16 << 16 << 1;
    QTest::newRow("16x16, 96 cells: full") << 16 << 16 << 96;
    QTest::newRow("8x8, 256 cells: rows 0-87") << 8 << 8 << 256;
    QTest::newRow("12x12, 100 cells: 16 per row") << 12 << 12 << 100;
    QTest::newRow("16x8, 150 cells") << 16 << 8 << 150;
    QTest::newRow("192x128, 1 cell: whole image") << 192 << 128 << 1;
}

void TestSheetExport::likoReadBack()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, count);
    TempHome home;
    SpriteSheet sheet = makeSheet(width, height, count);
    scribble(sheet, std::uint32_t(width * 1000 + count));
    QVERIFY(exportSheet(sheet, "2", home.path(), "hero").ok());

    const QByteArray bytes = readBytes(home.path() + "/hero.lk12");
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 129);
    const std::optional<GpuImage> image = parseGpuImage(bytes);
    QVERIFY(image);
    QCOMPARE(image->width, 192);
    QCOMPARE(image->height, 128);
    int wrong = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 192; ++x)
            wrong += image->at(x, y) != expectedIndex(sheet, 192, x, y);
    QCOMPARE(wrong, 0);
}

void TestSheetExport::likoLandmarks()
{
    TempHome home;
    SpriteSheet sheet = makeSheet(16, 16, 13);
    sheet.sheetStore[sheet.cellOffset(11)] = 10;
    sheet.sheetStore[sheet.cellOffset(12)] = 15;
    QVERIFY(exportSheet(sheet, "2", home.path(), "hero").ok());
    const QList<QByteArray> lines = readBytes(home.path() + "/hero.lk12").split('\n');
    QCOMPARE(lines[0], "LK12;GPUIMG;192x128;\r");
    QCOMPARE(lines[1], QByteArray(176, '0') + 'a' + QByteArray(15, '0') + '\r'); // cell 11 at (176, 0)
    QCOMPARE(lines[17], 'f' + QByteArray(191, '0') + '\r');                      // cell 12 at (0, 16)
}

void TestSheetExport::tic80Planes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    QTest::newRow("16x16, 1 cell") << 16 << 16 << 1;
    QTest::newRow("16x16, 128 cells: full") << 16 << 16 << 128;
    QTest::newRow("8x8, 256 cells") << 8 << 8 << 256;
    QTest::newRow("24x24, 40 cells: 5 per row, 8 unused columns") << 24 << 24 << 40;
    QTest::newRow("16x32, 60 cells") << 16 << 32 << 60;
}

void TestSheetExport::tic80Planes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, count);
    SpriteSheet sheet = makeSheet(width, height, count);
    scribble(sheet, std::uint32_t(width + count));
    const RgbPlanes planes = tic80SheetPlanes(sheet);
    QCOMPARE(planes.width, 128);
    QCOMPARE(planes.height, 256);
    QCOMPARE(planes.bytes.size(), 98304);
    int wrong = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 128; ++x) {
            const std::uint32_t c = rgbOf(sheet.palette[expectedIndex(sheet, 128, x, y)]);
            const int at = y * 128 + x;
            const std::uint32_t got = std::uint32_t(std::uint8_t(planes.bytes[at])) << 16 |
                                      std::uint32_t(std::uint8_t(planes.bytes[32768 + at])) << 8 |
                                      std::uint8_t(planes.bytes[65536 + at]);
            wrong += got != c;
        }
    }
    QCOMPARE(wrong, 0);
}

// The file as GIFLIB lays it out: GIF87a, the logical screen with a 16-entry global table,
// one full-size image without a local table, the trailer.
void TestSheetExport::tic80GifLayout()
{
    TempHome home;
    SpriteSheet sheet = makeSheet(16, 16, 1);
    sheet.sheetStore[3] = 9;
    const Result<QString> result = exportSheet(sheet, "0", home.path(), "ignored/name");
    QCOMPARE(exportMessage(result), "Exported.\n" + home.path() + "/export.gif");
    QCOMPARE(folderEntries(home.path()),
             (QStringList{".local", "Documents", "export.gif", "sprites.png", "tiles.png"}));
    const QByteArray gif = readBytes(home.path() + "/export.gif");
    QCOMPARE(gif.left(13), QByteArray("GIF87a\x80\x00\x00\x01\xB3\x00\x00", 13));
    QCOMPARE(gif.mid(13 + 48, 10), QByteArray("\x2C\x00\x00\x00\x00\x80\x00\x00\x01\x00", 10));
    QCOMPARE(gif.right(1), ";");
    const QByteArray table = gif.mid(13, 48);
    QVERIFY(table.contains(QByteArray("\x10\x08\x18", 3))); // colour 0, #140C1C
    QVERIFY(table.contains(QByteArray("\xD0\x78\x28", 3))); // colour 9, #D27D2C
    for (const char* png : {"/tiles.png", "/sprites.png"})
        QVERIFY(readBytes(home.path() + png).startsWith("\x89PNG\r\n\x1a\n"));
}

// A new TIC-80 cart has the SWEETIE-16 palette; "import tiles tiles.png" and "import
// sprites sprites.png" map every pixel to its nearest colour there. Whatever palette the
// sheet was drawn in, every pixel comes back as its own index.
void TestSheetExport::tic80PngsImportAsDrawn_data()
{
    QTest::addColumn<int>("paletteIndex");
    for (int i = 0; i < int(paletteTable.size()); ++i)
        QTest::addRow("%s", paletteTable[i].name) << i;
}

void TestSheetExport::tic80PngsImportAsDrawn()
{
    QFETCH(int, paletteIndex);
    TempHome home;
    SpriteSheet sheet = makeBlankSheet(16, 16, 128);
    sheet.palette = paletteFromHex(QString::fromLatin1(paletteTable[paletteIndex].defaultHex));
    scribble(sheet, std::uint32_t(paletteIndex + 1));
    QVERIFY(exportSheet(sheet, "0", home.path(), "hero").ok());
    const Palette sweetie16 =
        paletteFromHex(QString::fromLatin1(paletteTable[sweetie16PaletteIndex].defaultHex));
    int wrong = 0;
    for (const auto& [name, top] : {std::pair{"/tiles.png", 0}, std::pair{"/sprites.png", 128}}) {
        const QByteArray file = readBytes(home.path() + name);
        QCOMPARE(file.mid(24, 2), QByteArray("\x04\x03", 2)); // 4 bits per pixel, indexed
        const std::optional<RgbImage> image = decodePng(file);
        QVERIFY2(image, name);
        QCOMPARE(QSize(image->width, image->height), QSize(128, 128));
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                const char* p = image->rgb.constData() + (y * 128 + x) * 3;
                wrong += nearestColour(sweetie16, std::uint8_t(p[0]), std::uint8_t(p[1]),
                                       std::uint8_t(p[2])) != expectedIndex(sheet, 128, x, top + y);
            }
        }
    }
    QCOMPARE(wrong, 0);
}

// GIFLIB's failures reach the user as its own words with the file's name, not a number.
void TestSheetExport::gifFailureInWords()
{
    TempHome home;
    const QString path = home.path() + "/a.gif";
    const Result<> saved = saveIndexedGif(QByteArray(16, '\0'), 4, 4, 4, nullptr, path);
    QVERIFY(!saved);
    QCOMPARE(saved.message(), "Cannot write the GIF " + path + ": Neither global nor local color map");
    QVERIFY(!QFile::exists(path));
}

void TestSheetExport::gifColours_data()
{
    QTest::addColumn<QList<std::uint32_t>>("pixels"); // one colour per 4x4 block of a 16x16 image
    QTest::addColumn<QList<std::uint32_t>>("table");  // the colours the table must hold, besides black
    QTest::addColumn<int>("distinctIndices");

    const QList<std::uint32_t> one(16, 0x140C1C);
    QTest::newRow("one colour #140C1C -> #100818") << one << QList<std::uint32_t>{0x100818} << 1;
    QTest::newRow("#FFFFFF -> #F8F8F8")
        << QList<std::uint32_t>(16, 0xFFFFFF) << QList<std::uint32_t>{0xF8F8F8} << 1;
    QList<std::uint32_t> sixteen;
    QList<std::uint32_t> sixteenOut;
    for (int i = 0; i < 16; ++i) {
        sixteen.append(std::uint32_t(i) << 19 | 0x0700FF); // differ in red's top five bits
        sixteenOut.append(std::uint32_t(i) << 19 | 0x0000F8);
    }
    QTest::newRow("16 colours apart in the top bits keep 16 indices") << sixteen << sixteenOut << 16;
    QList<std::uint32_t> alike(8, 0x808080);
    alike += QList<std::uint32_t>(8, 0x878587);
    QTest::newRow("#808080 and #878587 share one entry") << alike << QList<std::uint32_t>{0x808080} << 1;
}

void TestSheetExport::gifColours()
{
    QFETCH(QList<std::uint32_t>, pixels);
    QFETCH(QList<std::uint32_t>, table);
    QFETCH(int, distinctIndices);
    TempHome home;
    RgbPlanes planes(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            planes.setPixel(x, y, pixels[(y / 4) * 4 + x / 4]);
    const Result<IndexedImage> quantized = writeRgbGif(planes, 4, home.path() + "/a.gif");
    QVERIFY(quantized);
    const IndexedImage& written = *quantized;
    QCOMPARE(written.colours.size(), 16);
    QList<std::uint32_t> sortedTable = table;
    sortedTable.resize(16, 0);
    std::sort(sortedTable.begin(), sortedTable.end());
    QList<std::uint32_t> got = written.colours;
    std::sort(got.begin(), got.end());
    QCOMPARE(got, sortedTable);
    QList<char> used(written.indices.begin(), written.indices.end());
    std::sort(used.begin(), used.end());
    QCOMPARE(int(std::unique(used.begin(), used.end()) - used.begin()), distinctIndices);
    // The table in the file is the one the quantizer made.
    const QByteArray gif = readBytes(home.path() + "/a.gif");
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t c = written.colours[i];
        const char entry[] = {char(c >> 16 & 0xFF), char(c >> 8 & 0xFF), char(c & 0xFF)};
        QCOMPARE(gif.mid(13 + 3 * i, 3), QByteArray(entry, 3));
    }
}

void TestSheetExport::pixilangFiles()
{
    TempHome home;
    SpriteSheet sheet = makeSheet(16, 16, 3);
    const Result<QString> result = exportSheet(sheet, "3", home.path(), "hero");
    QCOMPARE(exportMessage(result), "Exported.\n" + home.path() + "/hero*.gif");
    QCOMPARE(folderEntries(home.path()),
             (QStringList{".local", "Documents", "hero0.gif", "hero1.gif", "hero2.gif"}));
    for (int k = 0; k < 3; ++k)
        QCOMPARE(readBytes(home.path() + QStringLiteral("/hero%1.gif").arg(k)).left(10),
                 QByteArray("GIF87a\x10\x00\x10\x00", 10));
}

// The GIF that GIFLIB's own quantizer and the same writer make of the image.
QByteArray giflibGif(const RgbPlanes& planes, const QString& path)
{
    const qsizetype plane = qsizetype(planes.width) * planes.height;
    QByteArray rgb = planes.bytes;
    auto* red = reinterpret_cast<GifByteType*>(rgb.data());
    QByteArray indices(plane, '\0');
    ColorMapObject* map = GifMakeMapObject(16, nullptr);
    int size = 16;
    const bool quantized =
        GifQuantizeBuffer(unsigned(planes.width), unsigned(planes.height), &size, red, red + plane,
                          red + 2 * plane, reinterpret_cast<GifByteType*>(indices.data()), map->Colors) == GIF_OK;
    const bool saved = quantized && saveIndexedGif(indices, planes.width, planes.height, 4, map, path).ok();
    GifFreeMapObject(map);
    return saved ? readBytes(path) : QByteArray();
}

// Every GIF an export writes is byte for byte the file GIFLIB's quantizer gives, in every
// built-in palette and in one whose colours fall together in the quantizer's five bits.
void TestSheetExport::gifsAsGiflibQuantizes_data()
{
    QTest::addColumn<int>("paletteIndex"); // -1: colours a few steps apart
    for (int i = 0; i < int(paletteTable.size()); ++i)
        QTest::addRow("%s", paletteTable[i].name) << i;
    QTest::newRow("near greys") << -1;
}

void TestSheetExport::gifsAsGiflibQuantizes()
{
    QFETCH(int, paletteIndex);
    TempHome home;
    const QString hex = paletteIndex < 0 ? QString() : QLatin1String(paletteTable[paletteIndex].defaultHex);
    for (const int cellSize : {8, 16}) {
        SpriteSheet sheet = makeBlankSheet(cellSize, cellSize, cellSize == 8 ? 64 : 12);
        for (int i = 0; i < 16; ++i)
            sheet.palette[size_t(i)] = paletteIndex < 0 ? 0xFF000000u | std::uint32_t(0x7C7C7C + 3 * i)
                                                        : parseHexColour(QStringView(hex).mid(6 * i, 6));
        scribble(sheet, std::uint32_t(paletteIndex + 7 * cellSize));
        QVERIFY(exportSheet(sheet, "0", home.path(), "s").ok());
        QCOMPARE(readBytes(home.path() + "/export.gif"),
                 giflibGif(tic80SheetPlanes(sheet), home.path() + "/expected.gif"));
        QVERIFY(exportSheet(sheet, "3", home.path(), "cell").ok());
        for (int k = 0; k < sheet.cellCount; ++k)
            QCOMPARE(readBytes(home.path() + QStringLiteral("/cell%1.gif").arg(k)),
                     giflibGif(cellPlanes(sheet, k), home.path() + "/expected.gif"));
    }
}

void TestSheetExport::emptyName()
{
    TempHome home;
    const SpriteSheet sheet = makeSheet(16, 16, 2);
    QVERIFY(exportSheet(sheet, "2", home.path(), "").ok());
    QVERIFY(exportSheet(sheet, "3", home.path(), "").ok());
    QCOMPARE(folderEntries(home.path()), (QStringList{".lk12", ".local", "0.gif", "1.gif", "Documents"}));
}

void TestSheetExport::replacesExistingFiles()
{
    TempHome home;
    SpriteSheet sheet = makeSheet(16, 16, 65); // cell 64 starts the lower half of the TIC-80 sheet
    for (const char* lang : {"0", "2", "3"})
        QVERIFY(exportSheet(sheet, lang, home.path(), "hero").ok());
    const QStringList names{"export.gif", "hero.lk12", "hero0.gif", "sprites.png", "tiles.png"};
    QList<QByteArray> before;
    for (const QString& n : names)
        before.append(readBytes(home.path() + '/' + n));
    scribble(sheet, 7);
    for (const char* lang : {"0", "2", "3"})
        QVERIFY(exportSheet(sheet, lang, home.path(), "hero").ok());
    QStringList all =
        QStringList{".local", "Documents", "export.gif", "hero.lk12", "sprites.png", "tiles.png"};
    for (int k = 0; k < 65; ++k)
        all.append(QStringLiteral("hero%1.gif").arg(k));
    all.sort();
    QCOMPARE(folderEntries(home.path()), all); // nothing left over from the replacing
    for (int i = 0; i < names.size(); ++i)
        QVERIFY2(readBytes(home.path() + '/' + names[i]) != before[i], qPrintable(names[i]));
}

void TestSheetExport::refusals_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    const QString plain = "The sheet name must be a plain file name, without folders.";
    QTest::newRow("TIC-80, 129 cells of 16")
        << "0" << 16 << 16 << 129 << "hero"
        << "The 128 x 256 export image holds 128 sprites of 16 x 16; this sheet has 129.";
    QTest::newRow("TIC-80, 130 wide") << "1" << 130 << 130 << 1 << "hero"
                                      << "Sprites of 130 x 130 do not fit the 128 x 256 export image.";
    QTest::newRow("LIKO-12, 97 cells of 16")
        << "2" << 16 << 16 << 97 << "hero"
        << "The 192 x 128 export image holds 96 sprites of 16 x 16; this sheet has 97.";
    QTest::newRow("LIKO-12, 200 wide") << "2" << 200 << 200 << 1 << "hero"
                                       << "Sprites of 200 x 200 do not fit the 192 x 128 export image.";
    QTest::newRow("LIKO-12, 16 x 130 tall") << "2" << 16 << 130 << 1 << "hero"
                                            << "Sprites of 16 x 130 do not fit the 192 x 128 export image.";
    QTest::newRow("LIKO-12, name a/b") << "2" << 16 << 16 << 1 << "a/b" << plain;
    QTest::newRow("Pixilang, name ..\\x") << "3" << 16 << 16 << 1 << "..\\x" << plain;
    QTest::newRow("Pixilang, name ../x") << "3" << 16 << 16 << 1 << "../x" << plain;
}

void TestSheetExport::refusals()
{
    QFETCH(QString, lang);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, count);
    QFETCH(QString, name);
    QFETCH(QString, message);
    TempHome home;
    const QString folder = home.path() + "/out";
    QVERIFY(QDir().mkpath(folder + "/a"));
    const SpriteSheet sheet = makeSheet(width, height, count);
    const Result<QString> result = exportSheet(sheet, lang, folder, name);
    QCOMPARE(exportMessage(result), message);
    QVERIFY(!result.ok());
    QCOMPARE(folderEntries(folder), QStringList{"a"});
    QCOMPARE(folderEntries(folder + "/a"), QStringList());
}

void TestSheetExport::writeFailures_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("blocked"); // a folder standing where this file goes
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("TIC-80, no folder")
        << "0"
        << ""
        << "Failed to create file.\n%1/export.gif: No such file or directory" << QStringList();
    QTest::newRow("LIKO-12, no folder")
        << "2"
        << ""
        << "Failed to create %1/hero.lk12\nNo such file or directory" << QStringList();
    QTest::newRow("Pixilang, no folder")
        << "3"
        << ""
        << "Failed to create file.\n%1/hero0.gif: No such file or directory" << QStringList();
    QTest::newRow("TIC-80, export.gif blocked")
        << "0"
        << "export.gif"
        << "Failed to create file.\n%1/export.gif: It is a folder, not a "
           "regular file; it was left as it is."
        << QStringList{"export.gif"};
    QTest::newRow("TIC-80, tiles.png blocked")
        << "0"
        << "tiles.png"
        << "Failed to create %1/tiles.png\nIt is a folder, not a regular file; it was left as it is."
        << QStringList{"export.gif", "tiles.png"};
    QTest::newRow("LIKO-12, hero.lk12 blocked")
        << "2"
        << "hero.lk12"
        << "Failed to create %1/hero.lk12\nIt is a folder, not a regular file; it was left as it is."
        << QStringList{"hero.lk12"};
    QTest::newRow("Pixilang, hero1.gif blocked: stops there")
        << "3"
        << "hero1.gif"
        << "Failed to create file.\n%1/hero1.gif: It is a folder, not a regular file; it was left as it is."
        << QStringList{"hero0.gif", "hero1.gif"};
}

void TestSheetExport::writeFailures()
{
    QFETCH(QString, lang);
    QFETCH(QString, blocked);
    QFETCH(QString, message);
    QFETCH(QStringList, left);
    TempHome home;
    const QString folder = home.path() + "/out";
    if (!blocked.isEmpty())
        QVERIFY(QDir().mkpath(folder + '/' + blocked));
    const SpriteSheet sheet = makeSheet(16, 16, 3);
    const Result<QString> result = exportSheet(sheet, lang, folder, "hero");
    QCOMPARE(exportMessage(result), message.contains("%1") ? message.arg(folder) : message);
    QVERIFY(!result.ok());
    QCOMPARE(folderEntries(folder), left);
}

QTEST_GUILESS_MAIN(TestSheetExport)
#include "test_sheetexport.moc"
