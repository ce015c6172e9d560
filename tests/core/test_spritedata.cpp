// SPDX-License-Identifier: MIT
// The lines "Sp" writes into the code: GPUIMG strings for LIKO-12, sprite calls for
// Pixilang, nothing for TIC-80.

#include "core/commands/spritedata.h"
#include "core/sprite/spritesheet.h"
#include "spritesupport.h"

#include <QTest>

class TestSpriteData : public QObject {
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void everyDigitUpperCase();
};

void TestSpriteData::lines_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");

    const QString c12 = u'C' + QString(255, u'0');
    const QString zeros64(64, u'0');
    QTest::newRow("lang 0: none") << "0" << 16 << 16 << 1 << QStringList();
    QTest::newRow("lang 1: none") << "1" << 16 << 16 << 3 << QStringList();
    QTest::newRow("lang x: none") << "x" << 16 << 16 << 1 << QStringList();
    QTest::newRow("lang empty: none") << "" << 16 << 16 << 1 << QStringList();
    QTest::newRow("LIKO-12 one 16x16 cell, no comma")
        << "2" << 16 << 16 << 1 << QStringList{"\"LK12;GPUIMG;16x16;" + c12 + "\""};
    QTest::newRow("LIKO-12 two 8x8 cells, comma after the first")
        << "2" << 8 << 8 << 2
        << QStringList{"\"LK12;GPUIMG;8x8;" + zeros64 + "\",", "\"LK12;GPUIMG;8x8;" + zeros64 + "\""};
    QTest::newRow("Pixilang one 16x16 cell")
        << "3" << 16 << 16 << 1 << QStringList{"img=new(1)", "img[0]=sprite(16,16,\"" + c12 + "\")"};
    QTest::newRow("Pixilang three 8x8 cells")
        << "3" << 8 << 8 << 3
        << QStringList{"img=new(3)", "img[0]=sprite(8,8,\"" + zeros64 + "\")",
                       "img[1]=sprite(8,8,\"" + zeros64 + "\")", "img[2]=sprite(8,8,\"" + zeros64 + "\")"};
    // Cell 0 of a W != H sheet: width first, W digits per row; pixel (2, 0) is 12, (0, 1) is 15.
    QTest::newRow("LIKO-12 3x2, width first")
        << "2" << 3 << 2 << 1 << QStringList{"\"LK12;GPUIMG;3x2;00CF00\""};
    QTest::newRow("Pixilang 3x2, width first")
        << "3" << 3 << 2 << 1 << QStringList{"img=new(1)", "img[0]=sprite(3,2,\"00CF00\")"};
}

void TestSpriteData::lines()
{
    QFETCH(QString, lang);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, count);
    QFETCH(QStringList, expected);

    SpriteSheet sheet = makeBlankSheet(width, height, count);
    if (width == 16)
        setCellPixel(sheet, 0, 0, 0, 12);
    if (width == 3) {
        setCellPixel(sheet, 0, 2, 0, 12);
        setCellPixel(sheet, 0, 0, 1, 15);
    }
    QCOMPARE(spriteDataLines(sheet, lang), expected);
}

// Every colour written as its own upper-case digit, in pixel order, per cell.
void TestSpriteData::everyDigitUpperCase()
{
    SpriteSheet sheet = makeBlankSheet(4, 4, 2);
    for (int i = 0; i < 16; ++i) {
        setCellPixel(sheet, 0, i % 4, i / 4, i);
        setCellPixel(sheet, 1, i % 4, i / 4, 15 - i);
    }
    const QStringList liko = spriteDataLines(sheet, "2");
    QCOMPARE(liko,
             (QStringList{"\"LK12;GPUIMG;4x4;0123456789ABCDEF\",", "\"LK12;GPUIMG;4x4;FEDCBA9876543210\""}));
    const QStringList pixi = spriteDataLines(sheet, "3");
    QCOMPARE(pixi, (QStringList{"img=new(2)", "img[0]=sprite(4,4,\"0123456789ABCDEF\")",
                                "img[1]=sprite(4,4,\"FEDCBA9876543210\")"}));
}

QTEST_GUILESS_MAIN(TestSpriteData)
#include "test_spritedata.moc"
