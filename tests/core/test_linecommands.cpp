// SPDX-License-Identifier: MIT
// Line commands: jump to a typed line number, delete and duplicate lines, sprite data.

#include "core/commands/spritedata.h"
#include "editorfixture.h"

#include <QTest>

class TestLineCommands : public QObject {
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void jumpResetsTheKeyboardPage();
    void spriteDataGoesAboveTheCursorLine_data();
    void spriteDataGoesAboveTheCursorLine();
};

void TestLineCommands::commands_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("after");

    QStringList fifteen;
    for (int i = 1; i <= 15; ++i)
        fifteen << QString::number(i).repeated(3);
    const QString lines = fifteen.join(u'\n');
    QTest::newRow("12 Jn: column where 1 stood")
        << "ab|" + lines.mid(3) << QStringList{"1", "2", "Jn"}
        << QString(lines).replace("121212", "12|1212").mid(3).prepend("ab");
    QTest::newRow("12 Jn: end of a shorter line")
        << "abcdefgh|\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\nxy" << QStringList{"1", "2", "Jn"}
        << "abcdefgh\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\nxy|";
    QTest::newRow("Jn after a letter") << "a|\nb" << QStringList{"x", "Jn"} << "ax|\nb";
    QTest::newRow("Jn onto the middle of 😀 stops before it")
        << "a😀\nab|" << QStringList{"1", "Jn"} << "a|😀\nab";
    QTest::newRow("Jn takes only the digits: a5")
        << "a|\nb\nc\nd\ne\nf" << QStringList{"5", "Jn"} << "a\nb\nc\nd\ne|\nf";
    QTest::newRow("Jn 0 goes to the first line") << "ab\ncd|" << QStringList{"0", "Jn"} << "ab|\ncd";
    QTest::newRow("Jn past the end goes to the last line")
        << "ab|\ncd" << QStringList{"9", "Jn"} << "ab\ncd|";
    QTest::newRow("Jn with more digits than an int holds")
        << "|\ncd" << QStringList{"9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "Jn"}
        << "\n|cd";
    QTest::newRow("Jn with digits right of the cursor only") << "|12\nx" << QStringList{"Jn"} << "|12\nx";
    QTest::newRow("Ld in the middle") << "a\nb|c\nd" << QStringList{"Ld"} << "a\n|d";
    QTest::newRow("Ld on the last line") << "a\nb\nc|d" << QStringList{"Ld"} << "a\n|b";
    QTest::newRow("Ld on the only line") << "ab|c" << QStringList{"Ld"} << "|";
    QTest::newRow("Lc") << "a\nb|c\nd" << QStringList{"Lc"} << "a\nbc\nb|c\nd";
    QTest::newRow("Ly on x=x+1") << "x=x|+1\nq" << QStringList{"Ly"} << "x=x+1\ny=y|+1\nq";
    QTest::newRow("Lz on x=x+1") << "x=x|+1\nq" << QStringList{"Lz"} << "x=x+1\ny=y+1\nz=z|+1\nq";
    QTest::newRow("Ly leaves upper-case X") << "Xx|" << QStringList{"Ly"} << "Xx\nXy|";
}

void TestLineCommands::commands()
{
    checkPressTable();
}

void TestLineCommands::jumpResetsTheKeyboardPage()
{
    EditorFixture f("ab|\ncd");
    QCOMPARE(f.press("Jn").keyboard, KeyboardChange::None);
    f.press("2");
    QCOMPARE(f.press("Jn").keyboard, KeyboardChange::ResetPage);
    QCOMPARE(f.text.lineBackup, QString("cd")); // the snapshot of the line arrived at
}

void TestLineCommands::spriteDataGoesAboveTheCursorLine_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("linesAdded");
    QTest::newRow("LIKO-12, two cells") << "2" << 2;
    QTest::newRow("Pixilang, two cells") << "3" << 3;
    QTest::newRow("TIC-80 Lua") << "1" << 0;
    QTest::newRow("TIC-80 JavaScript") << "0" << 0;
}

void TestLineCommands::spriteDataGoesAboveTheCursorLine()
{
    QFETCH(QString, lang);
    QFETCH(int, linesAdded);
    EditorFixture f("a\nbc|d\ne");
    f.lang = lang;
    f.sheet.cellWidth = 8;
    f.sheet.cellHeight = 8;
    f.sheet.cellCount = 2;
    f.sheet.sheetStore = QByteArray(3 + 256 * 64, '\0');
    f.press("Sp");
    QStringList expected{"a"};
    expected << spriteDataLines(f.sheet, lang);
    expected << "bc|d"
             << "e";
    QCOMPARE(f.dump(), expected.join(u'\n'));
    QCOMPARE(f.text.cursorRow, 1 + linesAdded);
    QVERIFY(f.text.modified);
}

QTEST_GUILESS_MAIN(TestLineCommands)
#include "test_linecommands.moc"
