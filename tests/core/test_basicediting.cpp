// SPDX-License-Identifier: MIT
// Cursor moves, typing, line breaks and deletion through the command dispatcher.

#include "core/commands/basicediting.h"
#include "editorfixture.h"

#include <QTest>

class TestBasicEditing : public QObject {
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void everyCaptionMarksModified_data();
    void everyCaptionMarksModified();
    void closingStepsTakeTheUndoSnapshotOnANewRow();
    void shiftAndWindowAreLeftToTheWindow();
    void commandCaptionsAreNeverTyped_data();
    void commandCaptionsAreNeverTyped();
    void scrollFollowsTheCursor();
    void charactersOutsideSixteenBitsStayWhole_data();
    void charactersOutsideSixteenBitsStayWhole();
};

void TestBasicEditing::commands_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("after");

    const QString twenty = QStringLiteral("abcdefghijklmnopqrst");
    QTest::newRow("^^ from col 12 to a 5-char line, vv keeps 5")
        << "12345\n" + twenty.left(12) + "|" + twenty.mid(12) << QStringList{"^^", "vv"}
        << "12345\n" + twenty.left(5) + "|" + twenty.mid(5);
    QTest::newRow("^^ on the first line") << "a|bc\nd" << QStringList{"^^"} << "a|bc\nd";
    QTest::newRow("vv on the last line") << "ab\ncd|e" << QStringList{"vv"} << "ab\ncd|e";
    QTest::newRow("-> at line end goes to next line") << "ab|\ncd" << QStringList{"->"} << "ab\n|cd";
    QTest::newRow("-> at end of last line") << "ab\ncd|" << QStringList{"->"} << "ab\ncd|";
    QTest::newRow("<- at start goes to end of previous") << "ab\n|cd" << QStringList{"<-"} << "ab|\ncd";
    QTest::newRow("<- at start of line 1") << "|ab" << QStringList{"<-"} << "|ab";
    QTest::newRow("<- -> inside a line") << "ab|c" << QStringList{"<-", "<-", "->"} << "a|bc";
    QTest::newRow("Hm En") << "ab|cd" << QStringList{"Hm"} << "|abcd";
    QTest::newRow("En") << "ab|cd\nx" << QStringList{"En"} << "abcd|\nx";
    QTest::newRow("Ft goes to start of last line, En to its end")
        << "a|b\ncd\nefg" << QStringList{"Ft"} << "ab\ncd\n|efg";
    QTest::newRow("Ft En") << "a|b\ncd\nefg" << QStringList{"Ft", "En"} << "ab\ncd\nefg|";
    QTest::newRow("Hd") << "ab\nc|d" << QStringList{"Hd"} << "|ab\ncd";
    QTest::newRow("Rt between ab and cd, indented by two") << "  ab|cd" << QStringList{"Rt"} << "  ab\n  |cd";
    QTest::newRow("Rt drops the spaces right of the cursor") << "ab|   cd" << QStringList{"Rt"} << "ab\n|cd";
    QTest::newRow("Rt inside the indentation") << "  |  abc" << QStringList{"Rt"} << "  \n    |abc";
    QTest::newRow("Rt at the end of an indented line") << "    ab|" << QStringList{"Rt"} << "    ab\n    |";
    QTest::newRow("Rt: a tab ends the indentation") << " \tab|" << QStringList{"Rt"} << " \tab\n |";
    QTest::newRow("Rt drops control characters of the tail") << "ab|\t c" << QStringList{"Rt"} << "ab\n|c";
    QTest::newRow("Bs inside a line") << "abc|d" << QStringList{"Bs"} << "ab|d";
    QTest::newRow("Bs at col 0 of line 1 deletes forward") << "|abc" << QStringList{"Bs"} << "|bc";
    QTest::newRow("Bs on an empty first line") << "|\nx" << QStringList{"Bs"} << "|\nx";
    QTest::newRow("Bs at col 0 of line 3 joins") << "a\nbc\n|de" << QStringList{"Bs"} << "a\nbc|de";
    QTest::newRow("Dl under the cursor") << "a|bc" << QStringList{"Dl"} << "a|c";
    QTest::newRow("Dl at the end joins the next line") << "ab|\ncd\ne" << QStringList{"Dl"} << "ab|cd\ne";
    QTest::newRow("Dl at the end of the last line") << "ab\ncd|" << QStringList{"Dl"} << "ab\ncd|";
    QTest::newRow("Dl on an empty single line") << "|" << QStringList{"Dl"} << "|";
    QTest::newRow("&& types one ampersand") << "a|b" << QStringList{"&&"} << "a&|b";
    QTest::newRow("typing into an empty line") << "|" << QStringList{"x"} << "x|";
    QTest::newRow("typing several characters") << "a|" << QStringList{"b", "(", " ", "&"} << "ab( &|";
    QTest::newRow("blank key changes nothing") << "a|b" << QStringList{""} << "a|b";
    QTest::newRow("commands are case-sensitive") << "|" << QStringList{"rt"} << "rt|";
}

void TestBasicEditing::commands()
{
    checkPressTable();
}

void TestBasicEditing::everyCaptionMarksModified_data()
{
    QTest::addColumn<QString>("caption");
    for (const char* c : {"", "->", "^^", "Hm", "Sh", "Wn", "x"})
        QTest::newRow(*c ? c : "empty") << QString::fromLatin1(c);
}

void TestBasicEditing::everyCaptionMarksModified()
{
    QFETCH(QString, caption);
    EditorFixture f("ab|");
    f.press(caption);
    QVERIFY(f.text.modified);
    QVERIFY(f.last.closingSteps);
}

void TestBasicEditing::closingStepsTakeTheUndoSnapshotOnANewRow()
{
    EditorFixture f("abc\nde|f");
    f.text.lineBackup = "old";
    f.press("x"); // same row: no snapshot
    QCOMPARE(f.text.lineBackup, QString("old"));
    f.press("<-"); // moves within the line: snapshot
    QCOMPARE(f.text.lineBackup, QString("dexf"));
    QCOMPARE(f.text.lineBackupCol, 2);
    f.press("^^"); // new row: snapshot of the new line
    QCOMPARE(f.text.lineBackup, QString("abc"));
    QCOMPARE(f.text.lineBackupCol, 2);
    f.press("En");
    f.press("->"); // to the next line through the closing step
    QCOMPARE(f.text.lineBackup, QString("dexf"));
    QCOMPARE(f.text.lineBackupCol, 0);
}

void TestBasicEditing::shiftAndWindowAreLeftToTheWindow()
{
    EditorFixture f("a|");
    QCOMPARE(f.press("Sh").keyboard, KeyboardChange::ToggleShift);
    QVERIFY(f.press("Wn").toggleMaximized);
    QCOMPARE(f.press("Rt").keyboard, KeyboardChange::None);
    QCOMPARE(f.dump(), QString("a\n|"));
}

void TestBasicEditing::commandCaptionsAreNeverTyped_data()
{
    QTest::addColumn<QString>("caption");
    for (const char* c : {"Ky", "Tm", "Jp", "Jn", "Ld", "Lc", "Ly", "Lz", "Fi", "Fn", "Rp", "Rn", "Sl", "Cp",
                          "Ct", "Ps", "Un", "Sp", "Al"})
        QTest::newRow(c) << QString::fromLatin1(c);
}

void TestBasicEditing::commandCaptionsAreNeverTyped()
{
    QFETCH(QString, caption);
    QVERIFY(isCommandCaption(caption));
    EditorFixture f("ab|");
    f.templatesDir = "/nonexistent/";
    f.press(caption);
    QVERIFY(!f.text.codeLines.join(u'\n').contains(caption));
}

void TestBasicEditing::scrollFollowsTheCursor()
{
    EditorFixture f("|");
    f.text.viewCols = 4;
    f.text.viewRows = 2;
    f.press(QStringList{"a", "b", "c", "d"});
    QCOMPARE(f.text.leftCol, 1); // the cell after the last character counts
    f.press(QStringList{"Rt", "Rt", "Rt"});
    QCOMPARE(f.text.topRow, 2);
    QCOMPARE(f.text.leftCol, 0);
    f.press("Hd");
    QCOMPARE(f.text.topRow, 0);
}

// 😀 (U+1F600) is two code units: no command may stop between them or take one alone.
void TestBasicEditing::charactersOutsideSixteenBitsStayWhole_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("after");
    const QString lone = QString(QChar(0xD83D)); // half of a pair, as a broken file may hold it

    QTest::newRow("<- over 😀") << "a😀|b" << QStringList{"<-"} << "a|😀b";
    QTest::newRow("-> over 😀😀") << "|😀😀" << QStringList{"->", "->"} << "😀😀|";
    QTest::newRow("Bs takes 😀 whole") << "ab😀|" << QStringList{"Bs"} << "ab|";
    QTest::newRow("Bs at the start of line 1 takes 😀 whole") << "|😀b" << QStringList{"Bs"} << "|b";
    QTest::newRow("Dl takes 😀 whole") << "a|😀b" << QStringList{"Dl"} << "a|b";
    QTest::newRow("^^ onto the middle of 😀 stops before it")
        << "a😀b\nab|c" << QStringList{"^^"} << "a|😀b\nabc";
    QTest::newRow("vv onto the middle of 😀 stops before it")
        << "ab|c\na😀b" << QStringList{"vv"} << "abc\na|😀b";
    QTest::newRow("typed 😀 is one step") << "a|b" << QStringList{"😀", "<-", "->", "<-", "Dl"} << "a|b";
    QTest::newRow("Rt before 😀") << "a|😀" << QStringList{"Rt"} << "a\n|😀";
    QTest::newRow("a lone half is one character") << "a" + lone + "|b" << QStringList{"<-", "Dl"} << "a|b";
}

void TestBasicEditing::charactersOutsideSixteenBitsStayWhole()
{
    checkPressTable();
}

QTEST_GUILESS_MAIN(TestBasicEditing)
#include "test_basicediting.moc"
