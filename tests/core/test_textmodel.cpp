// SPDX-License-Identifier: MIT
// The text model: skeletons, insertion, and scrollToCursor against the stepwise rule.

#include "core/editor/textmodel.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The one-step-at-a-time rule the direct computation must equal.
void scrollStepwise(TextModel& m)
{
    for (;;) {
        if (m.cursorRow < m.topRow)
            --m.topRow;
        else if (m.cursorRow >= m.topRow + m.viewRows)
            ++m.topRow;
        else if (m.cursorCol < m.leftCol)
            --m.leftCol;
        else if (m.cursorCol >= m.leftCol + m.viewCols)
            ++m.leftCol;
        else
            return;
    }
}

} // namespace

class TestTextModel : public QObject {
    Q_OBJECT

private slots:
    void skeleton_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("0 JavaScript") << "0" << QStringList{"", "function TIC(){", "}", ""};
        QTest::newRow("1 Lua") << "1" << QStringList{"", "function TIC()", "end", ""};
        QTest::newRow("2 LIKO-12") << "2" << QStringList{""};
        QTest::newRow("3 Pixilang") << "3" << QStringList{""};
        QTest::newRow("other") << "x" << QStringList{""};
    }
    void skeleton()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, lines);
        TextModel m;
        m.codeLines = {"old"};
        m.cursorRow = 0;
        m.cursorCol = 2;
        m.modified = true;
        newCodeSkeleton(m, lang);
        QCOMPARE(m.codeLines, lines);
        QCOMPARE(m.cursorCol, 2); // callers reset the cursor themselves
        QVERIFY(m.modified);
    }

    void insert_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("newCol");
        QTest::newRow("abc at 2 + xyz") << "abc" << 2 << "abxyzc" << 5;
        QTest::newRow("abc at 7 + xyz appends") << "abc" << 7 << "abcxyz" << 10;
        QTest::newRow("empty at 0") << "" << 0 << "xyz" << 3;
    }
    void insert()
    {
        QFETCH(QString, line);
        QFETCH(int, col);
        QFETCH(QString, result);
        QFETCH(int, newCol);
        TextModel m;
        m.codeLines = {line};
        m.cursorCol = col;
        m.viewCols = 32;
        m.viewRows = 10;
        insertAtCursor(m, "xyz");
        QCOMPARE(m.codeLines.first(), result);
        QCOMPARE(m.cursorCol, newCol);
    }

    void scrollExamples()
    {
        TextModel m;
        m.viewCols = 32;
        m.viewRows = 10;
        m.cursorCol = 40;
        scrollToCursor(m);
        QCOMPARE(m.leftCol, 9);
        m.cursorCol = 3;
        scrollToCursor(m);
        QCOMPARE(m.leftCol, 3);
        m.cursorRow = 1000000;
        scrollToCursor(m);
        QCOMPARE(m.topRow, 1000000 - 10 + 1);
        m.cursorRow = 5;
        scrollToCursor(m);
        QCOMPARE(m.topRow, 5);
    }

    // The direct computation lands exactly where the stepwise rule settles.
    void scrollMatchesStepwise()
    {
        QRandomGenerator rng(42);
        for (int i = 0; i < 5000; ++i) {
            TextModel m;
            m.viewRows = rng.bounded(1, 30);
            m.viewCols = rng.bounded(1, 40);
            m.topRow = rng.bounded(0, 200);
            m.leftCol = rng.bounded(0, 200);
            m.cursorRow = rng.bounded(0, 200);
            m.cursorCol = rng.bounded(0, 200);
            TextModel expected = m;
            scrollStepwise(expected);
            scrollToCursor(m);
            QCOMPARE(QPoint(m.leftCol, m.topRow), QPoint(expected.leftCol, expected.topRow));
        }
    }

    void metricsNeverZero_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QSize>("view");
        QTest::addColumn<QList<int>>("colsCellRows");
        QTest::newRow("designed: 32 columns in 384 x 232") << 32 << QSize(384, 232) << QList<int>{32, 12, 19};
        QTest::newRow("width 0") << 0 << QSize(384, 232) << QList<int>{1, 384, 1};
        QTest::newRow("view lower than a cell") << 32 << QSize(384, 5) << QList<int>{32, 12, 1};
        QTest::newRow("more columns than pixels") << 1000 << QSize(384, 232) << QList<int>{1000, 1, 232};
    }
    void metricsNeverZero()
    {
        QFETCH(int, width);
        QFETCH(QSize, view);
        QFETCH(QList<int>, colsCellRows);
        TextModel m;
        updateViewMetrics(m, width, view.width(), view.height());
        QCOMPARE((QList<int>{m.viewCols, m.cellSize, m.viewRows}), colsCellRows);
    }

    void emptyFileLoadsOneLine()
    {
        TextModel m;
        setCodeLines(m, decodeText(QByteArray()));
        QCOMPARE(m.codeLines, QStringList{""});
    }
};

QTEST_GUILESS_MAIN(TestTextModel)
#include "test_textmodel.moc"
