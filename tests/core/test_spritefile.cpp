// SPDX-License-Identifier: MIT
// Sprite files: the bytes Save writes, every header a file can have read into the sheet,
// and the names Save refuses.

#include "core/sprite/spritefile.h"
#include "spritesupport.h"
#include "testsupport.h"

#include <QTest>

namespace {

QByteArray fromHex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

class TestSpriteFile : public QObject {
    Q_OBJECT

private slots:
    void saveBytes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("fresh 16x16") << 16 << "*" << (fromHex("101001") + QByteArray(256, '\0'));
        QTest::newRow("two 16x16 cells") << 16 << "* 0" << (fromHex("101002") + QByteArray(512, '\0'));
        QTest::newRow("2x2, three cells") << 2 << "*1234 0000 fedc"
                                          << fromHex("020203"
                                                     "01020304"
                                                     "00000000"
                                                     "0f0e0d0c");
    }

    void saveBytes()
    {
        QFETCH(int, size);
        QFETCH(QString, cells);
        QFETCH(QByteArray, expected);
        TempHome home;
        const SpriteSheet sheet = makeSheet(size, size, cells);
        QCOMPARE(spriteFileBytes(sheet), expected);
        const Result<> saved = saveSpriteFile(home.path() + "/hero", sheet);
        QVERIFY(saved);
        QCOMPARE(readBytes(home.path() + "/hero"), expected);
        QVERIFY(saved.message().isEmpty());
    }

    void saveFailure()
    {
        TempHome home;
        const SpriteSheet sheet = makeSheet(2, 2, "*1234");
        const QString path = home.path() + "/missing/hero";
        const Result<> saved = saveSpriteFile(path, sheet);
        QVERIFY(!saved);
        QCOMPARE(saved.message(), "Failed to create " + path + "\nNo such file or directory");
        QVERIFY(!QFile::exists(path));
    }

    void load_data()
    {
        QTest::addColumn<int>("size");      // the sheet before: size x size ...
        QTest::addColumn<QString>("cells"); // ... holding these cells
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected"); // the sheet's dump, or the error's start
        QTest::addColumn<QSize>("cellSize");

        QTest::newRow("2x2 file of 2 into a 2x2 sheet of 3") << 2 << "1111 2222 *3333"
                                                             << fromHex("020202"
                                                                        "01020304"
                                                                        "05060708")
                                                             << "*1234 5678 | 3333" << QSize(2, 2);
        QTest::newRow("1x1 file of 3 into 2x2: reallocated") << 2 << "*1234"
                                                             << fromHex("010103"
                                                                        "070809")
                                                             << "*7 8 9 | 0" << QSize(1, 1);
        QTest::newRow("same width, other height: reallocated") << 2 << "*1234"
                                                               << fromHex("020102"
                                                                          "0102"
                                                                          "0304")
                                                               << "*12 34 | 00" << QSize(2, 1);
        QTest::newRow("count 0, 256 cells held: a full sheet")
            << 1 << "*5" << (fromHex("010100") + QByteArray(256, '\x03')) << "full" << QSize(1, 1);
        QTest::newRow("count 0, 3 cells held") << 1 << "*5 6 7 8"
                                               << fromHex("010100"
                                                          "010203")
                                               << "*1 2 3 | 8" << QSize(1, 1);
        QTest::newRow("count 0, no cell held") << 1 << "*5 6" << fromHex("010100") << "*5 | 6" << QSize(1, 1);
        QTest::newRow("count 200 is 200 cells")
            << 1 << "*5" << (fromHex("0101c8") + QByteArray(200, '\x02')) << "200 cells" << QSize(1, 1);
        QTest::newRow("shorter than announced: the rest keep their pixels")
            << 2 << "*1111 2222 3333"
            << fromHex("020203"
                       "0505")
            << "*5511 2222 3333 | 0000" << QSize(2, 2);
        QTest::newRow("trailing bytes ignored") << 1 << "*5"
                                                << fromHex("010101"
                                                           "0909090909")
                                                << "*9 | 0" << QSize(1, 1);
        QTest::newRow("bytes above 15 keep their low four bits") << 1 << "*5"
                                                                 << fromHex("010102"
                                                                            "ff1a")
                                                                 << "*f a | 0" << QSize(1, 1);
        QTest::newRow("width 0: refused") << 2 << "*1234"
                                          << fromHex("000201"
                                                     "0102")
                                          << "error: " << QSize(2, 2);
        QTest::newRow("height 0: refused") << 2 << "*1234"
                                           << fromHex("020001"
                                                      "0102")
                                           << "error: " << QSize(2, 2);
        QTest::newRow("2 bytes: refused") << 2 << "*1234" << fromHex("0202") << "error: " << QSize(2, 2);
        QTest::newRow("empty: refused") << 2 << "*1234" << QByteArray() << "error: " << QSize(2, 2);
    }

    void load()
    {
        QFETCH(int, size);
        QFETCH(QString, cells);
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QFETCH(QSize, cellSize);
        TempHome home;
        SpriteSheet sheet = makeSheet(size, size, cells);
        snapshotForUndo(sheet);
        const QByteArray before = sheet.sheetStore;
        const QString path = home.path() + "/sheet";
        QVERIFY(writeBytes(path, file));

        const Result<SpriteFileLoad> load = loadSpriteFile(sheet, path);
        QCOMPARE(QSize(sheet.cellWidth, sheet.cellHeight), cellSize);
        QCOMPARE(load && load->resized, cellSize != QSize(size, size));
        if (expected.startsWith("error")) {
            QVERIFY(!load);
            QVERIFY2(load.message().startsWith(path + " is not a sprite file"), qPrintable(load.message()));
            QCOMPARE(sheet.sheetStore, before);
            QVERIFY(sheet.undoValid);
            return;
        }
        QVERIFY(load);
        QCOMPARE(sheet.currentCell, 0);
        QCOMPARE(std::uint8_t(sheet.sheetStore[2]), std::uint8_t(sheet.cellCount & 0xFF));
        QCOMPARE(sheet.sheetStore.size(), 3 + 256 * cellSize.width() * cellSize.height());
        QString dump = dumpSheet(sheet).remove(" undo");
        if (expected == "full") {
            QCOMPARE(sheet.cellCount, 256);
            QCOMPARE(dump, "*3" + QString(" 3").repeated(255));
        } else if (expected == "200 cells") {
            QCOMPARE(sheet.cellCount, 200);
            QCOMPARE(dump, "*2" + QString(" 2").repeated(199) + " | 0");
        } else {
            QCOMPARE(dump, expected);
        }
    }

    void unreadableFile()
    {
        TempHome home;
        SpriteSheet sheet = makeSheet(2, 2, "*1234");
        const QByteArray before = sheet.sheetStore;
        const Result<SpriteFileLoad> load = loadSpriteFile(sheet, home.path() + "/gone");
        QVERIFY(!load);
        QVERIFY2(load.message().startsWith("Cannot read " + home.path() + "/gone"),
                 qPrintable(load.message()));
        QCOMPARE(sheet.sheetStore, before);
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");

        QTest::newRow("hero") << "hero" << true;
        QTest::newRow("hero.spr") << "hero.spr" << true;
        QTest::newRow("a..b") << "a..b" << true;
        QTest::newRow(".hidden") << ".hidden" << true;
        QTest::newRow("a/b") << "a/b" << false;
        QTest::newRow("../hero") << "../hero" << false;
        QTest::newRow("a\\b") << "a\\b" << false;
        QTest::newRow("..") << ".." << false;
        QTest::newRow(".") << "." << false;
        QTest::newRow("/etc/passwd") << "/etc/passwd" << false;
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, usable);
        const QString problem = spriteFileNameProblem(name);
        QCOMPARE(problem.isEmpty(), usable);
        if (!usable)
            QCOMPARE(problem,
                     "Invalid file name: " + name + "\nUse a plain name without \"/\", \"\\\" or \"..\".");
    }
};

QTEST_GUILESS_MAIN(TestSpriteFile)
#include "test_spritefile.moc"
