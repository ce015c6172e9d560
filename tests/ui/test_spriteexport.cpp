// SPDX-License-Identifier: MIT
// "Ex" on the Sprite page, with the written files read back by Qt's own GIF and PNG readers.

#include "core/sprite/palettes.h"
#include "spritesupport.h"
#include "uisupport.h"

#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

// The colour the 16-colour GIF holds for a palette colour: five bits per channel.
QRgb quantized(std::uint32_t argb)
{
    return QRgb(0xFF000000u | (argb & 0xF8F8F8u));
}

void setCellCount(SpriteSheet& sheet, int count)
{
    sheet.cellCount = count;
    sheet.sheetStore[2] = char(count & 0xFF);
}

// Shows the Sprite page and presses "Ex" as a user would.
void pressExport(TfrmMain& w)
{
    w.TabControl1->setCurrentIndex(1);
    QVERIFY(w.btGraData->isVisible());
    QTest::mouseClick(w.btGraData, Qt::LeftButton);
}

} // namespace

class TestSpriteExport : public QObject {
    Q_OBJECT

private slots:
    void tic80Sheet();
    void liko12File();
    void pixilangCells();
    void failureShowsNoExported();
};

// Every colour of the palette drawn somewhere in the grid, including past the first row of
// cells and in the lower (sprites) half.
void TestSpriteExport::tic80Sheet()
{
    TempHome home;
    MessageRecorder recorder;
    auto w = startWindow(recorder.sinks());
    const QString folder = home.path() + "/tic";
    QVERIFY(QDir().mkpath(folder));
    w->settingsList.setValue("lang", "0");
    w->settingsList.setValue("exportdir", folder);
    SpriteSheet& sheet = w->sheet;
    QCOMPARE(sheet.cellWidth, 16);
    setCellCount(sheet, 70);
    struct Dot {
        int cell, x, y, colour;
    };
    QList<Dot> dots;
    for (int c = 1; c < 16; ++c)
        dots.append({c * 4, c, 15 - c, c}); // cells 4..60
    dots.append({8, 0, 0, 12});             // (0, 16)
    dots.append({69, 15, 15, 7});           // lower half: (95, 143)
    for (const Dot& d : dots)
        setCellPixel(sheet, d.cell, d.x, d.y, d.colour);
    const QByteArray storeBefore = sheet.sheetStore;

    pressExport(*w);
    QCOMPARE(recorder.messages, QStringList{"Exported.\n" + folder + "/export.gif"});
    QCOMPARE(sheet.sheetStore, storeBefore);

    // Qt decodes GIFs to true colour, so the table is read from the logical screen: a
    // global table of 2 << 3 = 16 entries.
    const QByteArray head = readBytes(folder + "/export.gif").left(13);
    QCOMPARE(head.left(6), "GIF87a");
    QCOMPARE(head[10] & 0x87, 0x83);
    QImageReader reader(folder + "/export.gif");
    QCOMPARE(reader.format(), "gif");
    const QImage gif = reader.read();
    QVERIFY2(!gif.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(gif.size(), QSize(128, 256));

    QImage expected(128, 256, QImage::Format_RGB32);
    expected.fill(quantized(sheet.palette[0]));
    for (const Dot& d : dots)
        expected.setPixel((d.cell % 8) * 16 + d.x, (d.cell / 8) * 16 + d.y,
                          quantized(sheet.palette[d.colour]));
    QCOMPARE(expected.pixel(0, 16), quantized(sheet.palette[12]));
    QCOMPARE(gif.convertToFormat(QImage::Format_RGB32), expected);

    // The PNG banks hold the same indices in TIC-80's own colours, exactly.
    const Palette sweetie16 =
        paletteFromHex(QString::fromLatin1(paletteTable[sweetie16PaletteIndex].defaultHex));
    QImage inSweetie16(128, 256, QImage::Format_RGB32);
    inSweetie16.fill(sweetie16[0]);
    for (const Dot& d : dots)
        inSweetie16.setPixel((d.cell % 8) * 16 + d.x, (d.cell / 8) * 16 + d.y, sweetie16[d.colour]);
    const QImage tiles(folder + "/tiles.png");
    const QImage sprites(folder + "/sprites.png");
    QCOMPARE(tiles.size(), QSize(128, 128));
    QCOMPARE(sprites.size(), QSize(128, 128));
    QCOMPARE(tiles.convertToFormat(QImage::Format_RGB32), inSweetie16.copy(0, 0, 128, 128));
    QCOMPARE(sprites.convertToFormat(QImage::Format_RGB32), inSweetie16.copy(0, 128, 128, 128));
}

void TestSpriteExport::liko12File()
{
    TempHome home;
    MessageRecorder recorder;
    auto w = startWindow(recorder.sinks());
    const QString folder = home.path() + "/liko";
    QVERIFY(QDir().mkpath(folder));
    w->settingsList.setValue("lang", "2");
    w->settingsList.setValue("exportdir2", folder);
    w->edtGraFile->setText("hero");
    pressExport(*w);
    QCOMPARE(recorder.messages, QStringList{"Exported.\n" + folder + "/hero.lk12"});
    QCOMPARE(readBytes(folder + "/hero.lk12").size(), 24854);
}

void TestSpriteExport::pixilangCells()
{
    TempHome home;
    MessageRecorder recorder;
    auto w = startWindow(recorder.sinks());
    const QString folder = home.path() + "/pixi";
    QVERIFY(QDir().mkpath(folder));
    w->settingsList.setValue("lang", "3");
    w->settingsList.setValue("exportdir3", folder);
    w->edtGraFile->setText("hero");
    SpriteSheet& sheet = w->sheet;
    setCellCount(sheet, 3);
    for (int k = 0; k < 3; ++k)
        setCellPixel(sheet, k, k, 2 * k, 5 + k);
    pressExport(*w);
    QCOMPARE(recorder.messages, QStringList{"Exported.\n" + folder + "/hero*.gif"});
    for (int k = 0; k < 3; ++k) {
        const QImage cell =
            QImage(folder + QStringLiteral("/hero%1.gif").arg(k)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(cell.size(), QSize(16, 16));
        QImage expected(16, 16, QImage::Format_RGB32);
        expected.fill(quantized(sheet.palette[0]));
        expected.setPixel(k, 2 * k, quantized(sheet.palette[5 + k]));
        QCOMPARE(cell, expected);
    }
}

// The user sees why nothing was written, and never "Exported." for it.
void TestSpriteExport::failureShowsNoExported()
{
    TempHome home;
    MessageRecorder recorder;
    auto w = startWindow(recorder.sinks());
    const QString missing = home.path() + "/missing";
    w->settingsList.setValue("exportdir", missing);
    w->settingsList.setValue("exportdir2", missing);
    w->settingsList.setValue("lang", "0");
    pressExport(*w);
    w->settingsList.setValue("lang", "2");
    w->edtGraFile->setText("hero");
    pressExport(*w);
    setCellCount(w->sheet, 97);
    pressExport(*w);
    QCOMPARE(recorder.messages,
             (QStringList{"Failed to create file.\n" + missing + "/export.gif: No such file or directory",
                          "Failed to create " + missing + "/hero.lk12\nNo such file or directory",
                          "The 192 x 128 export image holds 96 sprites of 16 x 16; this sheet has 97."}));
}

QTEST_MAIN(TestSpriteExport)
#include "test_spriteexport.moc"
