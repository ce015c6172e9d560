// SPDX-License-Identifier: MIT
// The sprite sections Run writes into a TIC-80 program, read back the way TIC-80's project
// loader reads a project file (its code text up to the first section, then every section's
// numbered lines into the cart's banks, two pixels a byte): the drawn pixels, the colours,
// the code unchanged, empty banks left out, nothing at all for a blank sheet.

#include "core/app/provisioning.h"
#include "core/app/settingslist.h"
#include "core/app/workspace.h"
#include "core/editor/runexport.h"
#include "core/editor/textmodel.h"
#include "core/sprite/palettes.h"
#include "core/sprite/sheetexport.h"
#include "core/sprite/spritesheet.h"
#include "core/sprite/tic80project.h"
#include "spritesupport.h"
#include "testsupport.h"

#include <QtTest>
#include <cstdlib>

namespace {

// What TIC-80's project loader makes of a project file: the code, which sections it
// found, and the banks those filled (a cart starts all zero).
struct Tic80Cart {
    QByteArray code;
    QStringList sections;
    QByteArray tiles = QByteArray(256 * 32, '\0');   // 256 tiles of 8 x 8 pixels, 4 bits each
    QByteArray sprites = QByteArray(256 * 32, '\0'); // the same for the sprites bank
    QByteArray palette = QByteArray(2 * 48, '\0');   // two palettes of 16 RGB colours

    // The pixel at (x, y) of a bank drawn as its 128 x 128 sheet: tile (x / 8, y / 8) of 16
    // in a row, the left pixel of each byte in its low nibble.
    int pixel(const QByteArray& bank, int x, int y) const
    {
        const int tile = x / 8 + (y / 8) * 16;
        const int index = tile * 64 + (y % 8) * 8 + x % 8;
        const auto byte = std::uint8_t(bank[index / 2]);
        return index % 2 ? byte >> 4 : byte & 0x0F;
    }
    int sheetPixel(int x, int y) const { return y < 128 ? pixel(tiles, x, y) : pixel(sprites, x, y - 128); }
};

// Hex digit pairs to bytes; with flip the first digit of a pair is the low nibble.
void str2buf(const char* str, int size, char* buf, bool flip)
{
    for (int i = 0; i < size / 2; ++i) {
        const char a = *str++;
        const char b = *str++;
        const char pair[3] = {flip ? b : a, flip ? a : b, '\0'};
        buf[i] = char(std::strtol(pair, nullptr, 16));
    }
}

// Past blanks up to and including one line end.
qsizetype lineEnd(const QByteArray& text, qsizetype at)
{
    while (at < text.size() && std::isspace(std::uint8_t(text[at])) && text[at++] != '\n') {}
    return at;
}

bool loadSection(const QByteArray& text, const QByteArray& comment, const QByteArray& tag, int count,
                 int size, bool flip, QByteArray& dst)
{
    const QByteArray open = comment + " <" + tag + ">";
    qsizetype start = text.indexOf(open);
    if (start < 0)
        return false;
    start = lineEnd(text, start + open.size());
    const qsizetype end = text.indexOf("\n" + comment + " </" + tag + ">", start);
    if (end <= start)
        return false;
    qsizetype at = start;
    while (at < end) {
        const int index = text.mid(at + 3, 3).toInt();
        if (index >= count)
            break;
        at += 7; // "-- 999:"
        str2buf(text.constData() + at, size * 2, dst.data() + size * index, flip);
        at = lineEnd(text, at + size * 2 + 1);
    }
    return true;
}

Tic80Cart loadProject(QByteArray text, const QByteArray& comment)
{
    text.replace("\r", "");
    Tic80Cart cart;
    const qsizetype first = text.indexOf("\n" + comment + " <");
    cart.code = first < 0 ? text : text.left(first);
    const struct {
        const char* tag;
        int count;
        int size;
        bool flip;
        QByteArray* dst;
    } sections[] = {{"TILES", 256, 32, true, &cart.tiles},
                    {"SPRITES", 256, 32, true, &cart.sprites},
                    {"PALETTE", 2, 48, false, &cart.palette}};
    for (const auto& s : sections)
        if (loadSection(text, comment, s.tag, s.count, s.size, s.flip, *s.dst))
            cart.sections.append(QLatin1StringView(s.tag));
    return cart;
}

struct RunOut {
    QString message;
    QByteArray file;
};

RunOut run(const QString& lang, const SpriteSheet& sheet)
{
    TempHome home;
    const Workspace ws = Workspace::under(home.workspace());
    SettingsList settings;
    QStringList keywords;
    (void)provisionDefaults(ws, settings, keywords, 384);
    settings.setValue(QStringLiteral("lang"), lang);
    for (const char* key : {"exportdir", "exportdir2", "exportdir3"})
        settings.setValue(QLatin1StringView(key), home.path());
    TextModel m;
    m.codeLines = QStringList{QString(), QStringLiteral("x=1"), QString()};
    const RunResult r = runProgram(m, {}, ws, settings, sheet);
    return {r.outcome.message(), readBytes(exportPath(*consoleTarget(lang), settings))};
}

} // namespace

class TestTic80Project : public QObject {
    Q_OBJECT

private slots:
    void sectionsReadBackAsDrawn_data();
    void sectionsReadBackAsDrawn();
    void sectionLines();
    void otherConsolesGetNoSections();
    void aSheetTic80CannotHoldIsLeftOut();
};

void TestTic80Project::sectionsReadBackAsDrawn_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("drawn"); // "none", "first pixel", "cell 64" or "all"
    QTest::addColumn<int>("paletteIndex");
    QTest::addColumn<QStringList>("sections");

    const QStringList all{"TILES", "SPRITES", "PALETTE"};
    for (const char* lang : {"0", "1"}) {
        QTest::addRow("%s: blank sheet, no sections", lang)
            << lang << 16 << 1 << "none" << 0 << QStringList{};
        QTest::addRow("%s: one pixel in cell 0: the tiles", lang)
            << lang << 16 << 1 << "first pixel" << 1 << QStringList{"TILES", "PALETTE"};
        QTest::addRow("%s: 16x16, cell 64 alone: the sprites", lang)
            << lang << 16 << 65 << "cell 64" << 5 << QStringList{"SPRITES", "PALETTE"};
        QTest::addRow("%s: 16x16, 128 cells", lang) << lang << 16 << 128 << "all" << 17 << all;
    }
    QTest::newRow("0: 8x8, 256 cells fill the tiles")
        << "0" << 8 << 256 << "all" << 16 << QStringList{"TILES", "PALETTE"};
    QTest::newRow("1: 24x24, 40 cells, 5 in a row") << "1" << 24 << 40 << "all" << 12 << all;
}

void TestTic80Project::sectionsReadBackAsDrawn()
{
    QFETCH(QString, lang);
    QFETCH(int, size);
    QFETCH(int, count);
    QFETCH(QString, drawn);
    QFETCH(int, paletteIndex);
    QFETCH(QStringList, sections);
    SpriteSheet sheet = makeBlankSheet(size, size, count);
    sheet.palette = paletteFromHex(QString::fromLatin1(paletteTable[paletteIndex].defaultHex));
    std::uint32_t seed = std::uint32_t(size * 1000 + count);
    for (int k = 0; k < count; ++k) {
        for (int i = 0; i < sheet.cellBytes(); ++i) {
            seed = seed * 1103515245u + 12345u;
            const bool draw = drawn == u"all" || (drawn == u"first pixel" && k == 0 && i == 0) ||
                              (drawn == u"cell 64" && k == 64);
            sheet.sheetStore[sheet.cellOffset(k) + i] =
                char(draw ? (drawn == u"all" ? seed >> 16 & 0x0F : 9) : 0);
        }
    }

    const RunOut out = run(lang, sheet);
    QCOMPARE(out.message, QString());
    const QByteArray comment = lang == u"0" ? "//" : "--";
    const Tic80Cart cart = loadProject(out.file, comment);
    QCOMPARE(cart.sections, sections);

    // The code TIC-80 takes, by "load" or "import code", is the program as it was without
    // sprites; a blank sheet leaves the file exactly that.
    const RunOut plain = run(lang, makeBlankSheet(size, size, count));
    QByteArray plainCode = plain.file;
    plainCode.replace("\r", "");
    if (sections.isEmpty()) {
        QCOMPARE(out.file, plain.file);
        QCOMPARE(cart.code, plainCode);
    } else {
        QCOMPARE(cart.code + "\n", plainCode); // the line end before the first section is not code
    }

    int wrong = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 128; ++x)
            wrong += cart.sheetPixel(x, y) != expectedIndex(sheet, 128, x, y);
    QCOMPARE(wrong, 0);
    if (!sections.isEmpty()) {
        for (int i = 0; i < 16; ++i) {
            const std::uint32_t c = std::uint32_t(std::uint8_t(cart.palette[3 * i])) << 16 |
                                    std::uint32_t(std::uint8_t(cart.palette[3 * i + 1])) << 8 |
                                    std::uint8_t(cart.palette[3 * i + 2]);
            QCOMPARE(c, sheet.palette[i] & 0xFFFFFFu);
        }
        QCOMPARE(cart.palette.mid(48), QByteArray(48, '\0')); // the second palette stays TIC-80's
    }
}

// The lines themselves, as TIC-80 writes them: three-digit numbers, one digit per pixel
// in pixel order, an empty line after every section.
void TestTic80Project::sectionLines()
{
    SpriteSheet sheet = makeSheet(8, 8, "0000000f 0 00000000a");
    sheet.palette = paletteFromHex(QString::fromLatin1(paletteTable[sweetie16PaletteIndex].defaultHex));
    QCOMPARE(tic80ProjectSections(sheet, "--"),
             (QStringList{
                 "-- <TILES>", "-- 000:0000000f" + QString(56, u'0'), "-- 002:00000000a" + QString(55, u'0'),
                 "-- </TILES>", "", "-- <PALETTE>",
                 "-- 000:1a1c2c5d275db13e53ef7d57ffcd75a7f07038b76425717929366f3b5dc941a6f673eff7f4f4f494b0c2"
                 "566c86333c57",
                 "-- </PALETTE>", ""}));
}

void TestTic80Project::otherConsolesGetNoSections()
{
    SpriteSheet sheet = makeSheet(16, 16, "1");
    for (const char* lang : {"2", "3"}) {
        const RunOut out = run(QLatin1StringView(lang), sheet);
        QCOMPARE(out.message, QString());
        QVERIFY2(!out.file.contains("<TILES>") && !out.file.contains("<PALETTE>"), lang);
    }
}

// More cells than the 128 x 256 sheet holds: the program goes out whole, the sprites not,
// and the message says why.
void TestTic80Project::aSheetTic80CannotHoldIsLeftOut()
{
    SpriteSheet sheet = makeBlankSheet(16, 16, 129);
    sheet.sheetStore[sheet.cellOffset(128)] = 3;
    const RunOut out = run(QStringLiteral("0"), sheet);
    QVERIFY2(out.message.startsWith("The sprites were not written into ") &&
                 out.message.endsWith(
                     "The 128 x 256 export image holds 128 sprites of 16 x 16; this sheet has 129."),
             qPrintable(out.message));
    QVERIFY(out.file.endsWith("rsi=i;rsx=tx[i];rsy=ty[i];return 1;}}return 0;}\r\n"));
    QVERIFY(!out.file.contains("<TILES>"));
}

QTEST_GUILESS_MAIN(TestTic80Project)
#include "test_tic80project.moc"
