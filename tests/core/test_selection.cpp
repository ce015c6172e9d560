// SPDX-License-Identifier: MIT
// Selection, copy, cut, paste through the platform clipboard, and the one-line undo.

#include "core/app/textfile.h"
#include "core/commands/selection.h"
#include "editorfixture.h"

#include <QTest>

class TestSelection : public QObject {
    Q_OBJECT

private slots:
    void clipboardTextToLines_data();
    void clipboardTextToLines();
    void clipTextRoundTrip();
    void copyAndCut_data();
    void copyAndCut();
    void paste_data();
    void paste();
    void emptyClipboardSkipsTheClosingSteps();
    void noPlatformClipboard();
    void selectToggle();
    void undo_data();
    void undo();
    void selectAllCopiesEverything();
};

void TestSelection::clipboardTextToLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("a") << "a" << QStringList{"a"};
    QTest::newRow("a CRLF") << "a\r\n" << QStringList{"a"};
    QTest::newRow("a LF b CR c CRLF") << "a\nb\rc\r\n" << QStringList{"a", "b", "c"};
    QTest::newRow("CR CR") << "\r\r" << QStringList{"", ""};
    QTest::newRow("LF") << "\n" << QStringList{""};
    QTest::newRow("a LF LF b") << "a\n\nb" << QStringList{"a", "", "b"};
    QTest::newRow("LF CR") << "\n\r" << QStringList{"", ""};
    QTest::newRow("CR LF CR b") << "\r\n\rb" << QStringList{"", "", "b"};
    // Line ends far apart and close together, in texts longer than one scan step.
    const QString longLine(40, u'x');
    QTest::newRow("long lines") << longLine + "\r\n" + longLine + "\n\r" + longLine
                                << QStringList{longLine, longLine, "", longLine};
}

void TestSelection::clipboardTextToLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
}

void TestSelection::clipTextRoundTrip()
{
    const QStringList lines{"a", "", "b c"};
    QCOMPARE(clipText(lines), QString("a\r\n\r\nb c\r\n"));
    QCOMPARE(splitLines(clipText(lines)), lines);
    QCOMPARE(clipText({}), QString());
}

void TestSelection::copyAndCut_data()
{
    QTest::addColumn<QString>("before"); // the mark drawn as «
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("afterCut");
    QTest::newRow("ab«cd|ef") << "ab«cd|ef"
                              << "cde\r\n"
                              << "ab|f";
    QTest::newRow("same position copies the character") << "ab«|cd"
                                                        << "c\r\n"
                                                        << "ab|d";
    QTest::newRow("same position at the line end copies nothing") << "ab«|\nx"
                                                                  << ""
                                                                  << "ab|\nx";
    QTest::newRow("three lines") << "l1\nlin«e2\nline3\nl|ine4\nl5"
                                 << "e2\r\nline3\r\nli\r\n"
                                 << "l1\nlin|ne4\nl5";
    QTest::newRow("mark at the very end of a line") << "ab«\n|cd"
                                                    << "c\r\n"
                                                    << "ab|d";
    QTest::newRow("mark after the cursor") << "a|b«c"
                                           << ""
                                           << "a|bc";
    QTest::newRow("mark on a later line") << "a|b\nc«d"
                                          << ""
                                          << "a|b\ncd";
    QTest::newRow("mark at the start when never set") << "ab\nc|d"
                                                      << "ab\r\ncd\r\n"
                                                      << "|";
    QTest::newRow("the cursor on 😀 takes it whole") << "a«b|😀c"
                                                    << "b😀\r\n"
                                                    << "a|c";
    QTest::newRow("the cursor on 😀, two lines") << "a«b\n|😀c"
                                                << "b\r\n😀\r\n"
                                                << "a|c";
}

void TestSelection::copyAndCut()
{
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, afterCut);
    for (const char* command : {"Cp", "Ct"}) {
        EditorFixture f(before);
        f.text.selecting = true;
        f.clipboard = "old";
        const CommandEffects fx = f.press(command);
        QCOMPARE(f.clipboard, clipboard);
        QCOMPARE(f.clipLines, splitLines(clipboard));
        QCOMPARE(fx.keyboard, KeyboardChange::ResetPage);
        QVERIFY(!f.text.selecting);
        QCOMPARE(f.dump(), QString(command) == "Cp" ? EditorFixture(before).dump() : afterCut);
    }
}

void TestSelection::paste_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::newRow("one line inline") << "ab|cd"
                                     << "xy\r\n"
                                     << "abxy|cd";
    QTest::newRow("text without a break") << "ab|cd"
                                          << "xy"
                                          << "abxy|cd";
    QTest::newRow("three lines below the whole line") << "ab|cd\nz"
                                                      << "1\n22\n333"
                                                      << "abcd\n1\n22\n333|\nz";
    QTest::newRow("lone CRs") << "|"
                              << "a\rb\r"
                              << "\na\nb|";
}

void TestSelection::paste()
{
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    EditorFixture f(before);
    f.clipboard = clipboard;
    f.press("Ps");
    QCOMPARE(f.dump(), after);
    QCOMPARE(f.clipLines, splitLines(clipboard));
}

void TestSelection::emptyClipboardSkipsTheClosingSteps()
{
    EditorFixture f("ab|");
    f.text.leftCol = 5; // the closing scroll would move this
    const CommandEffects fx = f.press("Ps");
    QVERIFY(!fx.closingSteps);
    QVERIFY(f.text.modified);
    QCOMPARE(f.text.leftCol, 5);
    QCOMPARE(f.dump(), QString("ab|"));
}

void TestSelection::noPlatformClipboard()
{
    EditorFixture f("a«b|c");
    f.hasClipboard = false;
    f.press("Cp");
    f.press("Ps");
    QCOMPARE(f.dump(), QString("ab|c"));
}

void TestSelection::selectToggle()
{
    EditorFixture f("ab|c");
    f.press("Sl");
    QVERIFY(f.text.selecting);
    QCOMPARE(QPoint(f.text.markCol, f.text.markRow), QPoint(2, 0));
    f.press("->");
    f.press("Sl");
    QVERIFY(!f.text.selecting);
    QCOMPARE(QPoint(f.text.markCol, f.text.markRow), QPoint(3, 0));
}

void TestSelection::undo_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("after");
    QTest::newRow("abc on a line reached with vv, Un")
        << "x|\nhello" << QStringList{"vv", "a", "b", "c", "Un"} << "x\nh|ello";
    QTest::newRow("abc, Un, Un") << "x|\nhello" << QStringList{"vv", "a", "b", "c", "Un", "Un"}
                                 << "x\nhabc|ello";
    QTest::newRow("Un right after start-up empties the line") << "ab|c" << QStringList{"Un"} << "|";
    QTest::newRow("Un Un after start-up restores it") << "ab|c" << QStringList{"Un", "Un"} << "ab|c";
    QTest::newRow("Ld then Un puts the removed text back")
        << "1\n2\n3\n4|\n5\n6" << QStringList{"vv", "Ld", "Un"} << "1\n2\n3\n4\n5|";
    QTest::newRow("Ld Un Un") << "1\n2\n3\n4|\n5\n6" << QStringList{"vv", "Ld", "Un", "Un"}
                              << "1\n2\n3\n4\n|6";
}

void TestSelection::undo()
{
    checkPressTable();
}

void TestSelection::selectAllCopiesEverything()
{
    EditorFixture f("ab\nc|d\n");
    f.press("Al");
    f.press("Cp");
    QCOMPARE(f.clipboard, QString("ab\r\ncd\r\n\r\n"));
    QCOMPARE(f.dump(), QString("ab\ncd\n|"));
}

QTEST_GUILESS_MAIN(TestSelection)
#include "test_selection.moc"
