// SPDX-License-Identifier: MIT
// The sprite sheet's storage, emptying and undo snapshot, and the palette loaded from the
// settings.

#include "core/app/settingslist.h"
#include "core/sprite/palettes.h"
#include "spritesupport.h"

#include <QTest>

class TestSpriteSheet : public QObject {
    Q_OBJECT

private slots:
    void allocation_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("storeBytes");
        QTest::addColumn<int>("cellBytes");

        QTest::newRow("16") << 16 << 65539 << 256;
        QTest::newRow("8") << 8 << 16387 << 64;
        QTest::newRow("1") << 1 << 259 << 1;
        QTest::newRow("255") << 255 << 3 + 256 * 255 * 255 << 255 * 255;
    }

    void allocation()
    {
        QFETCH(int, size);
        QFETCH(int, storeBytes);
        QFETCH(int, cellBytes);
        SpriteSheet sheet = makeSheet(16, 16, "1 *2 3");
        snapshotForUndo(sheet);
        sheet.copyCell.fill('\x05');
        sheet.cellWidth = sheet.cellHeight = size;
        allocateSheet(sheet);
        QCOMPARE(sheet.sheetStore.size(), storeBytes);
        QCOMPARE(sheet.undoStore.size(), storeBytes);
        QCOMPARE(sheet.copyCell, QByteArray(cellBytes, '\0'));
        QCOMPARE(sheet.scratchCell.size(), cellBytes);
        QVERIFY(!sheet.undoValid);
        QVERIFY(!restoreUndo(sheet));
        QCOMPARE(sheet.sheetStore.left(3), QByteArray(2, char(size)) + char(1));
        QCOMPARE(sheet.sheetStore.count('\0'), storeBytes - 3);
        QCOMPARE(sheet.cellCount, 1);
        QCOMPARE(sheet.currentCell, 0);
    }

    void clearKeepsTheEditingState()
    {
        SpriteSheet sheet = makeSheet(2, 2, "1111 *2222 3333");
        sheet.currentColour = 9;
        sheet.penKind = 2;
        sheet.shiftDirection = 3;
        copyCurrentCellForTest(sheet);
        snapshotForUndo(sheet);
        clearSheet(sheet);
        QCOMPARE(dumpSheet(sheet), "*0000 | 0000 undo");
        QCOMPARE(sheet.currentColour, std::uint8_t(9));
        QCOMPARE(sheet.penKind, std::uint8_t(2));
        QCOMPARE(sheet.shiftDirection, std::uint8_t(3));
        QCOMPARE(sheet.copyCell, QByteArray(4, '\x02'));
        // "Un" right after "New" brings the sheet back, its count and current cell too.
        QVERIFY(restoreUndo(sheet));
        QCOMPARE(dumpSheet(sheet), "1111 *2222 3333 | 0000");
        QVERIFY(!restoreUndo(sheet));
    }

    void palette_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected"); // colours 0, 1, 2, 8 and 15

        const QStringList defaults = [] {
            QStringList lines;
            for (const PaletteEntry& p : paletteTable)
                lines.append(QStringLiteral("plt%1=%2").arg(p.name, p.defaultHex));
            return lines;
        }();
        QTest::newRow("DB16") << defaults << 0 << "140c1c 442434 30346d 597dce deeed6";
        QTest::newRow("PICO-8") << defaults << 1 << "000000 1d2b53 7e2553 ff004d ffccaa";
        QTest::newRow("MSX") << defaults << 16 << "000000 000000 25da25 ff2521 ffffff";
        QTest::newRow("SWEETIE16") << defaults << 17 << "1a1c2c 5d275d b13e53 29366f 333c57";
        // A settings file written before SWEETIE16 was added has no key for it.
        QTest::newRow("SWEETIE16 absent from an older file: its own colours")
            << defaults.mid(0, 17) << 17 << "1a1c2c 5d275d b13e53 29366f 333c57";
        QTest::newRow("SWEETIE16 edited")
            << QStringList{"pltSWEETIE16=abc"} << 17 << "000abc 000000 000000 000000 000000";
        QTest::newRow("pltDB16 removed") << defaults.mid(1) << 0 << "000000 000000 000000 000000 000000";
        QTest::newRow("others unaffected") << defaults.mid(1) << 1 << "000000 1d2b53 7e2553 ff004d ffccaa";
        QTest::newRow("abc") << QStringList{"pltDB16=abc"} << 0 << "000abc 000000 000000 000000 000000";
        QTest::newRow("upper-case digits")
            << QStringList{"pltDB16=FF00aB"} << 0 << "ff00ab 000000 000000 000000 000000";
        QTest::newRow("seven digits")
            << QStringList{"pltDB16=1234567"} << 0 << "123456 000007 000000 000000 000000";
    }

    void palette()
    {
        QFETCH(QStringList, settings);
        QFETCH(int, index);
        QFETCH(QString, expected);
        SettingsList list;
        list.lines = settings;
        const Palette colours = loadPalette(list, index);
        QStringList shown;
        for (const int i : {0, 1, 2, 8, 15}) {
            QCOMPARE(colours[i] >> 24, 0xFFu);
            shown.append(QStringLiteral("%1").arg(colours[i] & 0xFFFFFF, 6, 16, QLatin1Char('0')));
        }
        QCOMPARE(shown.join(u' '), expected);
    }

private:
    static void copyCurrentCellForTest(SpriteSheet& sheet)
    {
        sheet.copyCell = sheet.sheetStore.mid(sheet.cellOffset(sheet.currentCell), sheet.cellBytes());
    }
};

QTEST_GUILESS_MAIN(TestSpriteSheet)
#include "test_spritesheet.moc"
