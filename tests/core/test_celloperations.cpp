// SPDX-License-Identifier: MIT
// The cell buttons: the cell list (add, delete, step, copy, paste, erase, undo) on sheets of
// one-pixel cells, and rotate, mirror and shift checked against their per-pixel definitions.

#include "core/sprite/celloperations.h"
#include "core/sprite/spritetools.h"
#include "spritesupport.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>

namespace {

// Runs a script of button captions on sheet; "=N" is a Pen press of colour N on pixel
// (0, 0), "Nw" the "New" button.
void runScript(SpriteSheet& sheet, const QString& script)
{
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step.startsWith(u'=')) {
            sheet.currentColour = std::uint8_t(step.mid(1).toInt(nullptr, 16));
            pressCanvas(sheet, 0, 0);
        } else if (step == u"Ad") {
            addCell(sheet);
        } else if (step == u"Dl") {
            deleteCell(sheet);
        } else if (step == u"<-") {
            previousCell(sheet);
        } else if (step == u"->") {
            nextCell(sheet);
        } else if (step == u"Cp") {
            copyCurrentCell(sheet);
        } else if (step == u"Ps") {
            pasteCell(sheet);
        } else if (step == u"Er") {
            eraseCell(sheet);
        } else if (step == u"Un") {
            restoreUndo(sheet);
        } else if (step == u"Rt") {
            rotateCell(sheet);
        } else if (step == u"Fv") {
            flipCellV(sheet);
        } else if (step == u"Fh") {
            flipCellH(sheet);
        } else if (step == u"Sh") {
            shiftCell(sheet);
        } else if (step == u"Nw") {
            clearSheet(sheet);
        } else {
            qFatal("unknown step");
        }
    }
}

using Mapping = std::function<std::uint8_t(const SpriteSheet& before, int x, int y)>;

std::uint8_t oldPixel(const SpriteSheet& s, int x, int y)
{
    return s.pixel(x, y);
}

} // namespace

class TestCellOperations : public QObject {
    Q_OBJECT

private slots:
    void cellList_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");

        QTest::newRow("fresh: Ad") << "*0"
                                   << "Ad"
                                   << "0 *0 | 0 undo";
        QTest::newRow("fresh: Ad Dl") << "*0"
                                      << "Ad Dl"
                                      << "*0 | 0 undo";
        QTest::newRow("Ad Dl Ad brings the deleted pixels back") << "*5"
                                                                 << "Ad =7 Dl Ad"
                                                                 << "5 *7 | 0 undo";
        QTest::newRow("Ad appends after the last, whatever is current") << "*1 2 3"
                                                                        << "Ad"
                                                                        << "1 2 3 *0 | 0 undo";
        QTest::newRow("Dl middle: next cell current, copy of last past the end") << "1 *2 3"
                                                                                 << "Dl"
                                                                                 << "1 *3 | 3 undo";
        QTest::newRow("Dl first") << "*1 2 3"
                                  << "Dl"
                                  << "*2 3 | 3 undo";
        QTest::newRow("Dl last keeps its slot") << "1 2 *3"
                                                << "Dl"
                                                << "1 *2 | 3 undo";
        QTest::newRow("Dl single cell: nothing, no snapshot") << "*4"
                                                              << "Dl"
                                                              << "*4 | 0";
        QTest::newRow("<- from the first wraps") << "*1 2 3"
                                                 << "<-"
                                                 << "1 2 *3 | 0";
        QTest::newRow("-> from the last wraps") << "1 2 *3"
                                                << "->"
                                                << "*1 2 3 | 0";
        QTest::newRow("<- -> on one cell") << "*1"
                                           << "<- ->"
                                           << "*1 | 0";
        QTest::newRow("Cp -> Ps") << "*1 2"
                                  << "Cp -> Ps"
                                  << "1 *1 | 0 undo";
        QTest::newRow("Cp -> Ps Un") << "*1 2"
                                     << "Cp -> Ps Un"
                                     << "1 *2 | 0";
        QTest::newRow("Er") << "*5"
                            << "Er"
                            << "*0 | 0 undo";
        QTest::newRow("Er Un") << "*5"
                               << "Er Un"
                               << "*5 | 0";
        QTest::newRow("Un without snapshot") << "1 *2"
                                             << "Un"
                                             << "1 *2 | 0";
        QTest::newRow("Un twice: the second does nothing") << "*0"
                                                           << "=5 =6 Un Un"
                                                           << "*5 | 0";
        QTest::newRow("Un goes back to the snapshot's cell") << "*1 2"
                                                             << "Er -> Un"
                                                             << "*1 2 | 0";
        QTest::newRow("Un takes back Dl") << "1 *2 3"
                                          << "Dl Un"
                                          << "1 *2 3 | 0";
        QTest::newRow("Nw keeps the snapshot") << "*5"
                                               << "Ad =7 Nw"
                                               << "*0 | 0 undo";
        QTest::newRow("Nw Un") << "*5"
                               << "Ad =7 Nw Un"
                               << "5 *0 | 0";
        QTest::newRow("Cp survives Nw") << "*9"
                                        << "Cp Nw Ps"
                                        << "*9 | 0 undo";
    }

    void cellList()
    {
        QFETCH(QString, cells);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        SpriteSheet sheet = makeSheet(1, 1, cells);
        runScript(sheet, script);
        QCOMPARE(dumpSheet(sheet), expected);
    }

    void addAtFullSheetOnlyTakesTheSnapshot()
    {
        SpriteSheet sheet = makeSheet(1, 1, "*0");
        for (int i = 0; i < 255; ++i)
            addCell(sheet);
        QCOMPARE(sheet.cellCount, 256);
        QCOMPARE(std::uint8_t(sheet.sheetStore[2]), std::uint8_t(0));
        sheet.currentCell = 3;
        sheet.setPixel(0, 0, 6);
        sheet.undoValid = false;
        const QByteArray before = sheet.sheetStore;
        addCell(sheet);
        QCOMPARE(sheet.cellCount, 256);
        QCOMPARE(sheet.currentCell, 3);
        QCOMPARE(sheet.sheetStore, before);
        QVERIFY(sheet.undoValid);
        QCOMPARE(sheet.undoStore, before);
        // Deleting from the middle of a full sheet moves the rest down within the store.
        deleteCell(sheet);
        QCOMPARE(sheet.cellCount, 255);
        QCOMPARE(std::uint8_t(sheet.sheetStore[2]), std::uint8_t(255));
    }

    void transforms_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");

        QTest::newRow("12/34 Rt") << "*1234"
                                  << "Rt"
                                  << "*2413";
        QTest::newRow("12/34 Fv") << "*1234"
                                  << "Fv"
                                  << "*2143";
        QTest::newRow("12/34 Fh") << "*1234"
                                  << "Fh"
                                  << "*3412";
        QTest::newRow("12/34 Rt x4") << "*1234"
                                     << "Rt Rt Rt Rt"
                                     << "*1234";
        QTest::newRow("12/34 Fv x2") << "*1234"
                                     << "Fv Fv"
                                     << "*1234";
        QTest::newRow("12/34 Sh up") << "*1234"
                                     << "Sh"
                                     << "*3412";
    }

    void transforms()
    {
        QFETCH(QString, cell);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        SpriteSheet sheet = makeSheet(2, 2, cell);
        runScript(sheet, script);
        QCOMPARE(dumpSheet(sheet), expected + " | 0000");
    }

    // Every transform against its definition pixel by pixel, on random cells of many sizes,
    // square and not; other cells stay as they were.
    void transformsMatchTheirDefinitions()
    {
        struct Case {
            const char* name;
            std::function<void(SpriteSheet&)> run;
            Mapping source; // the old pixel that becomes new pixel (x, y)
            bool squareOnly;
        };
        const auto shift = [](int direction) {
            return [direction](SpriteSheet& s) {
                s.shiftDirection = std::uint8_t(direction);
                shiftCell(s);
            };
        };
        const std::vector<Case> cases{
            {"Rt", [](SpriteSheet& s) { rotateCell(s); },
             [](const SpriteSheet& s, int x, int y) { return oldPixel(s, s.cellHeight - 1 - y, x); }, true},
            {"Fv", flipCellV,
             [](const SpriteSheet& s, int x, int y) { return oldPixel(s, s.cellWidth - 1 - x, y); }, false},
            {"Fh", flipCellH,
             [](const SpriteSheet& s, int x, int y) { return oldPixel(s, x, s.cellHeight - 1 - y); }, false},
            // Up: new row y - 1 is old row y, new row H - 1 is old row 0.
            {"Sh up", shift(0),
             [](const SpriteSheet& s, int x, int y) {
                 return oldPixel(s, x, y == s.cellHeight - 1 ? 0 : y + 1);
             },
             false},
            // Right: new column x + 1 is old column x, new column 0 is old column W - 1.
            {"Sh right", shift(1),
             [](const SpriteSheet& s, int x, int y) {
                 return oldPixel(s, x == 0 ? s.cellWidth - 1 : x - 1, y);
             },
             false},
            {"Sh down", shift(2),
             [](const SpriteSheet& s, int x, int y) {
                 return oldPixel(s, x, y == 0 ? s.cellHeight - 1 : y - 1);
             },
             false},
            {"Sh left", shift(3),
             [](const SpriteSheet& s, int x, int y) {
                 return oldPixel(s, x == s.cellWidth - 1 ? 0 : x + 1, y);
             },
             false},
        };
        QRandomGenerator random(5);
        const std::vector<QSize> sizes{{1, 1},   {2, 2}, {3, 3}, {8, 8}, {16, 16},
                                       {31, 31}, {5, 3}, {1, 7}, {16, 8}};
        for (const QSize size : sizes) {
            for (const Case& c : cases) {
                SpriteSheet sheet;
                sheet.cellWidth = size.width();
                sheet.cellHeight = size.height();
                allocateSheet(sheet);
                sheet.cellCount = 3;
                sheet.sheetStore[2] = 3;
                sheet.currentCell = 1;
                for (qsizetype i = SpriteSheet::headerSize; i < sheet.sheetStore.size(); ++i)
                    sheet.sheetStore[i] = char(random.bounded(16));
                const SpriteSheet before = sheet;
                c.run(sheet);
                const bool unchanged = c.squareOnly && size.width() != size.height();
                SpriteSheet expected = before;
                expected.sheetStore.detach();
                for (int y = 0; y < size.height() && !unchanged; ++y)
                    for (int x = 0; x < size.width(); ++x)
                        expected.setPixel(x, y, c.source(before, x, y));
                QVERIFY2(sheet.sheetStore == expected.sheetStore,
                         qPrintable(
                             QStringLiteral("%1 on %2x%3").arg(c.name).arg(size.width()).arg(size.height())));
                QVERIFY(!sheet.undoValid);
            }
        }
    }

    void shiftsComeRoundAgain()
    {
        for (int direction = 0; direction < 4; ++direction) {
            SpriteSheet sheet = makeSheet(8, 8, "*");
            for (int i = 0; i < sheet.cellBytes(); ++i)
                sheet.sheetStore[sheet.cellOffset(0) + i] = char(i % 16);
            const QByteArray start = sheet.sheetStore;
            sheet.shiftDirection = std::uint8_t(direction);
            shiftCell(sheet);
            QVERIFY(sheet.sheetStore != start);
            for (int i = 1; i < 8; ++i)
                shiftCell(sheet);
            QCOMPARE(sheet.sheetStore, start);
        }
    }

    void shiftUpMovesTheTopRowToTheBottom()
    {
        for (const int n : {8, 16}) {
            SpriteSheet sheet = makeSheet(n, n, "*");
            for (int x = 0; x < n; ++x)
                sheet.setPixel(x, 0, 7);
            shiftCell(sheet);
            QCOMPARE(sheet.pixel(0, n - 1), std::uint8_t(7));
            QCOMPARE(sheet.pixel(0, 0), std::uint8_t(0));
        }
    }

    void directionCycle()
    {
        SpriteSheet sheet;
        QString captions = shiftDirectionCaption(sheet.shiftDirection);
        for (int i = 0; i < 4; ++i) {
            nextShiftDirection(sheet);
            captions += shiftDirectionCaption(sheet.shiftDirection);
        }
        QCOMPARE(captions, "URDLU");
    }
};

QTEST_GUILESS_MAIN(TestCellOperations)
#include "test_celloperations.moc"
