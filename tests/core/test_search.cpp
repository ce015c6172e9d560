// SPDX-License-Identifier: MIT
// Find and replace with the command text typed left of the cursor, and the function list.

#include "core/commands/search.h"
#include "editorfixture.h"

#include <QRandomGenerator>
#include <QTest>

class TestSearch : public QObject {
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void findTextsAfterParse_data();
    void findTextsAfterParse();
    void failedParseStopsFindNext();
    void findNextMatchesAPlainScan();
    void functionList_data();
    void functionList();
    void jumpShowsTheFunctions();
};

namespace {
QStringList typed(const QString& s)
{
    QStringList out;
    for (QChar c : s)
        out << QString(c);
    return out;
}
} // namespace

void TestSearch::commands_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("after");

    QTest::newRow("{foo} Fi skips foo on the cursor line")
        << "foo bar |\nnothing\nxx foo" << typed("{foo}") + QStringList{"Fi"} << "foo bar \nnothing\nxx |foo";
    QTest::newRow("Fn to the only foo, right of the cursor")
        << "|\nxa foo\nfoo" << typed("{foo}") + QStringList{"Fi", "Hm", "Fn"} << "\nxa |foo\nfoo";
    QTest::newRow("Fi then Fn goes line by line")
        << "|\nfoo foo\nfoo" << typed("{foo}") + QStringList{"Fi", "Fn"} << "\nfoo foo\n|foo";
    QTest::newRow("Fi after {} finds nothing") << "|\nx" << typed("{}") + QStringList{"Fi"} << "|\nx";
    QTest::newRow("Fi without } changes nothing") << "{ab|\nab" << QStringList{"Fi", "Fn"} << "{ab|\nab";
    QTest::newRow("Fi without { takes the line start") << "ab}|\nxab" << QStringList{"Fi"} << "\nx|ab";
    QTest::newRow("Fi finds nothing: cursor stays")
        << "|\nabc" << typed("{zz}") + QStringList{"Fi"} << "|\nabc";
    QTest::newRow("{a}b Rp on a+a") << "a+a|" << typed("{a}b") + QStringList{"Rp"} << "|b+b";
    QTest::newRow("{x} Rp deletes every x of the next line holding one")
        << "q|\nabc\nxaxbx\nx" << typed("{x}") + QStringList{"Rp"} << "q\nabc\n|ab\nx";
    QTest::newRow("a -> aa, Rn keeps doubling the same line")
        << "|\nba" << typed("{a}aa") + QStringList{"Rp", "Rn", "Rn"} << "\nb|aaaaaaaa";
    QTest::newRow("Rn moves on when the line no longer holds the text")
        << "|\nab\nab" << typed("{a}c") + QStringList{"Rp", "Rn"} << "\ncb\n|cb";
    QTest::newRow("Rp takes the last } and the last { before it")
        << "x|\nb}c" << typed("{a{b}c}d") + QStringList{"Rp"} << "x{a\n|d";
}

void TestSearch::commands()
{
    checkPressTable();
}

void TestSearch::findTextsAfterParse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("after");
    QTest::newRow("ab{cd}ef|") << "ab{cd}ef|" << true << "cd"
                               << "ef"
                               << "ab|";
    QTest::newRow("{a{b}c}d|") << "{a{b}c}d|" << true << "b}c"
                               << "d"
                               << "{a|";
    QTest::newRow("ab}cd|") << "ab}cd|" << true << "ab"
                            << "cd"
                            << "|";
    QTest::newRow("}|") << "}|" << true << ""
                        << ""
                        << "|";
    QTest::newRow("{ab|") << "{ab|" << false << ""
                          << ""
                          << "{ab|";
    QTest::newRow("|{a}") << "|{a}" << false << ""
                          << ""
                          << "|{a}";
    QTest::newRow("x{a}|yz") << "x{a}|yz" << true << "a"
                             << ""
                             << "x|yz";
}

void TestSearch::findTextsAfterParse()
{
    QFETCH(QString, line);
    QFETCH(bool, ok);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(QString, after);
    EditorFixture f(line);
    f.state.findText = "old";
    QCOMPARE(parseFindCommand(f.text, f.state), ok);
    QCOMPARE(f.state.findText, find);
    QCOMPARE(f.state.replaceText, replace);
    QCOMPARE(f.dump(), after);
}

void TestSearch::failedParseStopsFindNext()
{
    EditorFixture f("|\nab\nab");
    f.press(typed("{ab}"));
    f.press("Fi");
    QCOMPARE(f.dump(), QString("\n|ab\nab"));
    f.press("Fi"); // no "}" left of the cursor: the find text is gone
    f.press("Fn");
    QCOMPARE(f.dump(), QString("\n|ab\nab"));
}

void TestSearch::findNextMatchesAPlainScan()
{
    // Characters that share their low byte ("a" and U+0161) test the shift table.
    const QString alphabet = QString::fromUtf8("ab\u0161c");
    QRandomGenerator random(7);
    const auto randomText = [&](int maxLength) {
        QString s;
        for (int n = int(random.bounded(maxLength + 1)); n > 0; --n)
            s += alphabet[random.bounded(int(alphabet.size()))];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        EditorFixture f("|");
        f.text.codeLines.clear();
        for (int i = 0; i < 4; ++i)
            f.text.codeLines << randomText(12);
        f.text.cursorRow = int(random.bounded(4));
        f.text.cursorCol = int(random.bounded(int(f.text.cursorLine().size()) + 1));
        f.state.findText = randomText(5);
        if (f.state.findText.isEmpty())
            continue;
        QPoint expected(f.text.cursorCol, f.text.cursorRow);
        for (int row = f.text.cursorRow; row < 4; ++row) {
            const qsizetype pos = f.text.codeLines[row].indexOf(f.state.findText);
            if (pos >= 0 && (row != f.text.cursorRow || pos > f.text.cursorCol)) {
                expected = QPoint(int(pos), row);
                break;
            }
        }
        findNext(f.text, f.state);
        QCOMPARE(QPoint(f.text.cursorCol, f.text.cursorRow), expected);
    }
}

void TestSearch::functionList_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("Pixilang and JavaScript") << "fn sprite($x,$y,$d){\n  x\nfunction TIC(){\n}"
                                             << "sprite|TIC" << QList<int>{0, 2};
    QTest::newRow("indented and wrong case are skipped") << " function a()\nFunction b()\nfn\nfunction c"
                                                         << "c" << QList<int>{3};
    QTest::newRow("a name beginning with ( stays whole") << "fn (x)\nfunction  y("
                                                         << "(x)| y" << QList<int>{0, 1};
    QTest::newRow("none") << "local x\nend"
                          << "" << QList<int>{};
}

void TestSearch::functionList()
{
    QFETCH(QString, code);
    QFETCH(QString, names);
    QFETCH(QList<int>, rows);
    const FunctionList list = ::functionList(code.split(u'\n'));
    QCOMPARE(list.names.join(u'|'), names);
    QCOMPARE(list.rows, rows);
}

void TestSearch::jumpShowsTheFunctions()
{
    EditorFixture f("a|\nfunction TIC()\nfn b()");
    const CommandEffects fx = f.press("Jp");
    QVERIFY(fx.showSelectList);
    QCOMPARE(fx.selectItems, (QStringList{"TIC", "b"}));
    QCOMPARE(f.state.selectMode, SelectMode::FunctionJump);
    QCOMPARE(f.state.functionRows, (QList<int>{1, 2}));
    EditorFixture none("a|");
    QVERIFY(!none.press("Jp").showSelectList);
}

QTEST_GUILESS_MAIN(TestSearch)
#include "test_search.moc"
