// SPDX-License-Identifier: MIT
// The drawing tools: Pen presses and drags, Fill against a slow sweep fill on many cells
// (large ones included), Replace, the tool cycle, and canvas and strip hit tests.

#include "core/sprite/spritetools.h"
#include "spritesupport.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

namespace {

// The obviously right fill: mark the start, then sweep the cell forwards and backwards,
// marking every pixel of the old colour next to a marked one, until a sweep marks nothing.
void sweepFill(SpriteSheet& sheet, int x0, int y0, std::uint8_t colour)
{
    const int w = sheet.cellWidth;
    const int h = sheet.cellHeight;
    const std::uint8_t old = sheet.pixel(x0, y0);
    if (old == colour)
        return;
    std::vector<char> marked(size_t(w * h), 0);
    marked[size_t(y0 * w + x0)] = 1;
    const auto visit = [&](int x, int y) {
        if (marked[size_t(y * w + x)] || sheet.pixel(x, y) != old)
            return false;
        const bool next =
            (x > 0 && marked[size_t(y * w + x - 1)]) || (x < w - 1 && marked[size_t(y * w + x + 1)]) ||
            (y > 0 && marked[size_t((y - 1) * w + x)]) || (y < h - 1 && marked[size_t((y + 1) * w + x)]);
        if (next)
            marked[size_t(y * w + x)] = 1;
        return next;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                changed |= visit(x, y);
        for (int y = h - 1; y >= 0; --y)
            for (int x = w - 1; x >= 0; --x)
                changed |= visit(x, y);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (marked[size_t(y * w + x)])
                sheet.setPixel(x, y, colour);
}

SpriteSheet randomSheet(QRandomGenerator& random, int w, int h, int colours)
{
    SpriteSheet sheet;
    sheet.cellWidth = w;
    sheet.cellHeight = h;
    allocateSheet(sheet);
    sheet.cellCount = 2;
    sheet.currentCell = 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            sheet.setPixel(x, y, std::uint8_t(random.bounded(colours)));
    return sheet;
}

} // namespace

class TestSpriteTools : public QObject {
    Q_OBJECT

private slots:
    void fill_data()
    {
        QTest::addColumn<QString>("cell"); // 4 x 4, rows of four digits
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("expected");

        QTest::newRow("all 0, colour 3") << "0000000000000000" << QPoint(2, 1) << 3 << "3333333333333333";
        QTest::newRow("diagonal gap stays apart") << "0011"
                                                     "0011"
                                                     "1100"
                                                     "1100"
                                                  << QPoint(0, 0) << 5 << "5511551111001100";
        QTest::newRow("ring: inside only") << "1111"
                                              "1001"
                                              "1001"
                                              "1111"
                                           << QPoint(1, 1) << 2 << "1111122112211111";
        QTest::newRow("ring: the wall") << "1111"
                                           "1001"
                                           "1001"
                                           "1111"
                                        << QPoint(3, 3) << 7 << "7777700770077777";
        QTest::newRow("U shape through the bottom") << "0100"
                                                       "0101"
                                                       "0101"
                                                       "0001"
                                                    << QPoint(0, 0) << 9 << "9199919191919991";
        QTest::newRow("same colour: nothing")
            << "1234123412341234" << QPoint(1, 1) << 2 << "1234123412341234";
    }

    void fill()
    {
        QFETCH(QString, cell);
        QFETCH(QPoint, start);
        QFETCH(int, colour);
        QFETCH(QString, expected);
        SpriteSheet sheet = makeSheet(4, 4, "1111111111111111 *" + cell + " 0000000000000000");
        floodFill(sheet, start.x(), start.y(), std::uint8_t(colour));
        QCOMPARE(dumpSheet(sheet), "1111111111111111 *" + expected + " 0000000000000000 | 0000000000000000");
    }

    // Random cells of every shape up to the largest, 255 x 255; few colours make large winding
    // areas.
    void fillMatchesSweepFill()
    {
        QRandomGenerator random(42);
        const std::vector<QSize> sizes{{1, 1},   {2, 3},  {7, 5},   {16, 16},
                                       {23, 23}, {40, 9}, {64, 64}, {255, 255}};
        for (const QSize size : sizes) {
            const int rounds = size.width() > 100 ? 3 : 40;
            for (int round = 0; round < rounds; ++round) {
                SpriteSheet fast = randomSheet(random, size.width(), size.height(), 2 + round % 3);
                SpriteSheet slow = fast;
                slow.sheetStore.detach();
                const int x = random.bounded(size.width());
                const int y = random.bounded(size.height());
                const auto colour = std::uint8_t(random.bounded(16));
                floodFill(fast, x, y, colour);
                sweepFill(slow, x, y, colour);
                QVERIFY2(
                    fast.sheetStore == slow.sheetStore,
                    qPrintable(
                        QStringLiteral("%1x%2 round %3").arg(size.width()).arg(size.height()).arg(round)));
            }
        }
    }

    // A comb whose teeth all open into one corridor: every tooth is pending in the queue at
    // once, on the largest cell.
    void fillCombOfLargestCell()
    {
        SpriteSheet fast = makeSheet(255, 255, "*");
        for (int x = 1; x < 255; x += 2)
            for (int y = 1; y < 255; ++y)
                fast.setPixel(x, y, 1);
        SpriteSheet slow = fast;
        slow.sheetStore.detach();
        floodFill(fast, 0, 254, 4);
        sweepFill(slow, 0, 254, 4);
        QVERIFY(fast.sheetStore == slow.sheetStore);
        QCOMPARE(fast.pixel(254, 254), std::uint8_t(4));
        QCOMPARE(fast.pixel(1, 1), std::uint8_t(1));
    }

    void press_data()
    {
        QTest::addColumn<int>("penKind");
        QTest::addColumn<QString>("cell"); // 2 x 2, the press is on pixel (0, 0), colour 7
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("repaint");

        QTest::newRow("Pn on 0") << 0 << "*0000"
                                 << "*7000" << true;
        QTest::newRow("Pn on 7: nothing but the snapshot") << 0 << "*7000"
                                                           << "*7000" << false;
        QTest::newRow("Fl on 0") << 1 << "*0010"
                                 << "*7717" << true;
        QTest::newRow("Rp on 3, not connected") << 2 << "*3103"
                                                << "*7107" << true;
        QTest::newRow("Rp on 7: no pixel") << 2 << "*7003"
                                           << "*7003" << true;
    }

    void press()
    {
        QFETCH(int, penKind);
        QFETCH(QString, cell);
        QFETCH(QString, expected);
        QFETCH(bool, repaint);
        SpriteSheet sheet = makeSheet(2, 2, "5555 " + cell);
        sheet.penKind = std::uint8_t(penKind);
        sheet.currentColour = 7;
        const QByteArray before = sheet.sheetStore;
        QCOMPARE(pressCanvas(sheet, 0, 0), repaint);
        QCOMPARE(dumpSheet(sheet), "5555 " + expected + " | 0000 undo");
        QCOMPARE(sheet.undoStore, before);
        QCOMPARE(sheet.penKind, std::uint8_t(0)); // Fill and Replace act once
    }

    void dragDrawsOnlyWithPen()
    {
        for (const int kind : {0, 1, 2}) {
            SpriteSheet sheet = makeSheet(2, 2, "*0000");
            sheet.penKind = std::uint8_t(kind);
            sheet.currentColour = 7;
            QCOMPARE(dragCanvas(sheet, 1, 1), kind == 0);
            QCOMPARE(dumpSheet(sheet), kind == 0 ? "*0007 | 0000" : "*0000 | 0000");
            QCOMPARE(dragCanvas(sheet, 1, 1), false);
        }
    }

    void toolCycle()
    {
        SpriteSheet sheet;
        QString captions = penKindCaption(sheet.penKind);
        for (int i = 0; i < 3; ++i) {
            nextPenKind(sheet);
            captions += u' ' + penKindCaption(sheet.penKind);
        }
        QCOMPARE(captions, "Pn Fl Rp Pn");
    }

    void canvasHit_data()
    {
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("expected");

        // 16 x 16 cells at pixel size 24: the grid is 384 wide.
        QTest::newRow("x 0: the edge itself") << 24 << 0.0 << 10.0 << "none";
        QTest::newRow("y 0: the edge itself") << 24 << 10.0 << 0.0 << "none";
        QTest::newRow("x 0.5") << 24 << 0.5 << 0.5 << "0,0";
        QTest::newRow("23.9") << 24 << 23.9 << 24.0 << "0,1";
        QTest::newRow("last pixel") << 24 << 383.9 << 383.0 << "15,15";
        QTest::newRow("x 384") << 24 << 384.0 << 5.0 << "none";
        QTest::newRow("negative") << 24 << -3.0 << 5.0 << "none";
        QTest::newRow("size 2, x 0") << 2 << 0.0 << 5.0 << "none";
        QTest::newRow("size 1, x 0: the first column") << 1 << 0.0 << 5.0 << "0,5";
        QTest::newRow("size 1, x 16") << 1 << 16.0 << 5.0 << "none";
        QTest::newRow("size 1, negative") << 1 << -0.5 << 5.0 << "none";
    }

    void canvasHit()
    {
        QFETCH(int, pixelSize);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QString, expected);
        SpriteSheet sheet;
        sheet.pixelSize = pixelSize;
        const auto p = canvasPixelAt(sheet, x, y);
        QCOMPARE(p ? QStringLiteral("%1,%2").arg(p->x()).arg(p->y()) : QStringLiteral("none"), expected);
    }

    void stripHit_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("stripHeight");
        QTest::addColumn<int>("expected"); // -1: no colour

        QTest::newRow("x 100 of 24") << 100.0 << 24 << 4;
        QTest::newRow("x 23 of 24") << 23.0 << 24 << 0;
        QTest::newRow("x 383 of 24") << 383.0 << 24 << 15;
        QTest::newRow("x 385 of 24: past the last swatch") << 385.0 << 24 << -1;
        QTest::newRow("strip 0 high") << 5.0 << 0 << -1;
    }

    void stripHit()
    {
        QFETCH(double, x);
        QFETCH(int, stripHeight);
        QFETCH(int, expected);
        const auto colour = stripColourAt(x, stripHeight);
        QCOMPARE(colour ? int(*colour) : -1, expected);
    }
};

QTEST_GUILESS_MAIN(TestSpriteTools)
#include "test_spritetools.moc"
