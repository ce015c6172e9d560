// SPDX-License-Identifier: MIT
// The one closing step of every edit path, and the tap and drag arithmetic before it.

#include "core/commands/finishedit.h"

#include <QTest>

class TestFinishEdit : public QObject {
    Q_OBJECT

private slots:
    void closingStep_data();
    void closingStep();
    void tapCursor_data();
    void tapCursor();
    void dragScrollsFromItsStartPoint();
};

namespace {

// Five one-letter lines, the cursor at the start of the last, the view on the first two.
TextModel fiveLines()
{
    TextModel t;
    t.codeLines = {"a", "b", "c", "d", "e"};
    t.cursorRow = 4;
    t.viewRows = 2;
    t.viewCols = 10;
    t.cellSize = 8;
    t.lineBackup = "old";
    t.lineBackupCol = 9;
    return t;
}

// What the closing step did, in one line.
QString dump(const TextModel& t, const EditEffects& fx)
{
    return QString("modified=%1 top=%2 backup=%3@%4 repaint=%5 label=%6")
        .arg(int(t.modified))
        .arg(t.topRow)
        .arg(t.lineBackup)
        .arg(t.lineBackupCol)
        .arg(int(fx.repaint))
        .arg(fx.showLineNumber ? fx.lineLabel : QString("-"));
}

} // namespace

void TestFinishEdit::closingStep_data()
{
    QTest::addColumn<int>("path");
    QTest::addColumn<int>("entryRow");
    QTest::addColumn<bool>("textEdited");
    QTest::addColumn<bool>("followCursor");
    QTest::addColumn<bool>("show");
    QTest::addColumn<QString>("after");
    const int key = int(EditPath::Key), pick = int(EditPath::ListPick);
    const int tap = int(EditPath::Tap), drag = int(EditPath::Drag);
    QTest::newRow("key onto a new row: scroll, snapshot with column")
        << key << 0 << true << true << true << "modified=1 top=3 backup=e@0 repaint=1 label=5";
    QTest::newRow("key on the same row: no snapshot")
        << key << 4 << true << true << true << "modified=1 top=3 backup=old@9 repaint=1 label=5";
    QTest::newRow("key that changed nothing: only modified")
        << key << 0 << true << true << false << "modified=1 top=0 backup=old@9 repaint=0 label=-";
    QTest::newRow("jump pick: scroll and snapshot, not modified")
        << pick << 0 << false << true << true << "modified=0 top=3 backup=e@0 repaint=1 label=5";
    QTest::newRow("failed pick: the view stays")
        << pick << 4 << false << false << true << "modified=0 top=0 backup=old@9 repaint=1 label=5";
    QTest::newRow("tap onto a new row: the snapshot keeps its column")
        << tap << 0 << false << true << true << "modified=0 top=3 backup=e@9 repaint=1 label=5";
    QTest::newRow("drag: repaint only")
        << drag << 0 << false << true << true << "modified=0 top=0 backup=old@9 repaint=1 label=-";
}

void TestFinishEdit::closingStep()
{
    QFETCH(int, path);
    QFETCH(int, entryRow);
    QFETCH(bool, textEdited);
    QFETCH(bool, followCursor);
    QFETCH(bool, show);
    QFETCH(QString, after);
    TextModel t = fiveLines();
    EditClose close;
    close.path = EditPath(path);
    close.entryRow = entryRow;
    close.textEdited = textEdited;
    close.followCursor = followCursor;
    close.show = show;
    const EditEffects fx = finishEdit(t, close);
    QCOMPARE(dump(t, fx), after);
}

void TestFinishEdit::tapCursor_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("leftCol");
    QTest::addColumn<int>("topRow");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    // Lines "abcde", "", "xy", "😀z"; cells of 8 pixels.
    QTest::newRow("x 2.9 cells") << 23.0 << 4.0 << 0 << 0 << 0 << 2;
    QTest::newRow("right of a 5-char line") << 160.0 << 4.0 << 0 << 0 << 0 << 4;
    QTest::newRow("below the last line") << 20.0 << 72.0 << 0 << 0 << 3 << 2;
    QTest::newRow("empty line") << 28.0 << 12.0 << 0 << 0 << 1 << 0;
    QTest::newRow("scrolled view") << 4.0 << 4.0 << 1 << 2 << 2 << 1;
    QTest::newRow("second cell of a two-unit character") << 12.0 << 28.0 << 0 << 0 << 3 << 0;
}

void TestFinishEdit::tapCursor()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, leftCol);
    QFETCH(int, topRow);
    QFETCH(int, row);
    QFETCH(int, col);
    TextModel t;
    t.codeLines = {"abcde", "", "xy", QString::fromUtf8("\xF0\x9F\x98\x80z")};
    t.cellSize = 8;
    t.leftCol = leftCol;
    t.topRow = topRow;
    QVERIFY(::tapCursor(t, x, y));
    QCOMPARE(t.cursorRow, row);
    QCOMPARE(t.cursorCol, col);

    TextModel empty;
    empty.codeLines.clear();
    QVERIFY(!::tapCursor(empty, x, y));
}

void TestFinishEdit::dragScrollsFromItsStartPoint()
{
    TextModel t;
    t.codeLines = QStringList(50, "x");
    t.cellSize = 8;
    t.leftCol = 3;
    ViewDrag drag;
    QVERIFY(!dragView(t, drag, 100, 100)); // the first move only records
    QCOMPARE(t.leftCol, 3);
    QVERIFY(dragView(t, drag, 96, 100));
    QCOMPARE(t.leftCol, 3); // half a cell left: 3.5 truncates to 3
    dragView(t, drag, 104, 100);
    QCOMPARE(t.leftCol, 2);
    dragView(t, drag, 100, 76);
    QCOMPARE(t.topRow, 3);
    dragView(t, drag, 100, 76);
    QCOMPARE(t.topRow, 6);
    dragView(t, drag, 200, 200);
    QCOMPARE(t.leftCol, 0); // never before the first column or row
    QCOMPARE(t.topRow, 0);
}

QTEST_GUILESS_MAIN(TestFinishEdit)
#include "test_finishedit.moc"
