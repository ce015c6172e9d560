// SPDX-License-Identifier: MIT
// Keyword completion, templates and the picks of the selection list.

#include "core/app/defaultdata.h"
#include "core/commands/selectlist.h"
#include "editorfixture.h"
#include "testsupport.h"

#include <QTest>

class TestSelectList : public QObject {
    Q_OBJECT

private slots:
    void wordBeforeCursor_data();
    void wordBeforeCursor();
    void keyword_data();
    void keyword();
    void templates_data();
    void templates();
    void templatePicks_data();
    void templatePicks();
    void unreadableTemplateKeepsTheWord();
    void functionPick();
    void picksKeepTheCursorInAChangedText();
};

void TestSelectList::wordBeforeCursor_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("word");
    QTest::newRow("x = circ|") << "x = circ|"
                               << "circ";
    QTest::newRow("a[b_c^`|") << "a[b_c^`|"
                              << "a[b_c^`";
    QTest::newRow("x1|") << "x1|"
                         << "";
    QTest::newRow("x |") << "x |"
                         << "";
    QTest::newRow("|abc") << "|abc"
                          << "";
    QTest::newRow("ab|cd") << "ab|cd"
                           << "ab";
    QTest::newRow("{z|") << "{z|"
                         << "z";
}

void TestSelectList::wordBeforeCursor()
{
    QFETCH(QString, line);
    QFETCH(QString, word);
    EditorFixture f(line);
    int prefix = -1;
    QCOMPARE(::wordBeforeCursor(f.text, prefix), word);
    QCOMPARE(prefix, int(word.size()));
}

void TestSelectList::keyword_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("pick");
    QTest::addColumn<QString>("after");
    QTest::newRow("circ offers three, pick circb(")
        << "circ|" << QStringList{"circ(", "circb(", "circle("} << "circb("
        << "circb(|";
    QTest::newRow("abs inserts ( at once") << "x=abs|" << QStringList{} << ""
                                           << "x=abs(|";
    QTest::newRow("the inserts n without the space") << "the|" << QStringList{} << ""
                                                     << "then|";
    QTest::newRow("th offers then, pick keeps the space")
        << "th|" << QStringList{"then ", "thread_create(", "thread_destroy("} << "then "
        << "then |";
    QTest::newRow("after a digit") << "x1|" << QStringList{} << ""
                                   << "x1|";
    QTest::newRow("after a space") << "x |" << QStringList{} << ""
                                   << "x |";
    QTest::newRow("no keyword") << "qqq|" << QStringList{} << ""
                                << "qqq|";
}

void TestSelectList::keyword()
{
    QFETCH(QString, before);
    QFETCH(QStringList, offered);
    QFETCH(QString, pick);
    QFETCH(QString, after);
    EditorFixture f(before);
    f.keywords = builtinKeywords();
    const CommandEffects fx = f.press("Ky");
    QCOMPARE(fx.showSelectList, !offered.isEmpty());
    QCOMPARE(fx.selectItems, offered);
    if (!pick.isEmpty()) {
        QCOMPARE(f.state.selectMode, SelectMode::Keyword);
        f.text.modified = false; // as after a Save while the list was open
        CommandContext ctx = f.context();
        pickSelectItem(ctx, int(offered.indexOf(pick)), pick);
        QVERIFY(f.text.modified);
    }
    QCOMPARE(f.dump(), after);
}

namespace {

// A template folder holding the given files.
struct TemplateFolder {
    TempHome home;
    QString dir = home.path() + "/tempfiles/";
    explicit TemplateFolder(const QList<std::pair<QString, QByteArray>>& files)
    {
        QDir().mkpath(dir);
        for (const auto& [name, bytes] : files)
            writeBytes(dir + name, bytes);
        QDir().mkpath(dir + "tm_folder");
    }
};

const QList<std::pair<QString, QByteArray>> sampleTemplates{
    {"tm_b", "one line\r\n"}, {"Tm_a", "x"}, {"tm_C", "l1\r\nl2\r\nl3\r\n"}, {"pix", ""}, {"apple", "a"}};

} // namespace

void TestSelectList::templates_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<int>("prefixLength");
    QTest::newRow("tm_ lists the tm_ templates sorted") << "tm_|" << QStringList{"tm_b", "tm_C"} << 3;
    QTest::newRow("xyz lists all") << "xyz|" << QStringList{"apple", "pix", "Tm_a", "tm_b", "tm_C"} << 0;
    QTest::newRow("empty word lists all") << "1|" << QStringList{"apple", "pix", "Tm_a", "tm_b", "tm_C"} << 0;
    QTest::newRow("one match still shows the list") << "ap|" << QStringList{"apple"} << 2;
}

void TestSelectList::templates()
{
    QFETCH(QString, before);
    QFETCH(QStringList, offered);
    QFETCH(int, prefixLength);
    TemplateFolder folder(sampleTemplates);
    EditorFixture f(before);
    f.templatesDir = folder.dir;
    const CommandEffects fx = f.press("Tm");
    QVERIFY(fx.showSelectList);
    QCOMPARE(fx.selectItems, offered);
    QCOMPARE(f.state.selectMode, SelectMode::Template);
    QCOMPARE(f.state.prefixLength, prefixLength);
}

void TestSelectList::templatePicks_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pick");
    QTest::addColumn<QString>("after");
    QTest::newRow("one-line file goes inside the line, typed tm_ removed") << "a tm_|z"
                                                                           << "tm_b"
                                                                           << "a one line|z";
    QTest::newRow("three lines go below, cursor at the end of the third") << "a tm_|z\nq"
                                                                          << "tm_C"
                                                                          << "a z\nl1\nl2\nl3|\nq";
    QTest::newRow("a pick from the full list removes nothing") << "xyz|"
                                                               << "Tm_a"
                                                               << "xyzx|";
    QTest::newRow("empty file: cursor to the end of its line") << "ab|c"
                                                               << "pix"
                                                               << "abc|";
}

void TestSelectList::templatePicks()
{
    QFETCH(QString, before);
    QFETCH(QString, pick);
    QFETCH(QString, after);
    TemplateFolder folder(sampleTemplates);
    EditorFixture f(before);
    f.templatesDir = folder.dir;
    const CommandEffects shown = f.press("Tm");
    const int oldRow = f.text.cursorRow;
    f.text.modified = false; // as after a Save while the list was open
    CommandContext ctx = f.context();
    const CommandEffects fx = pickSelectItem(ctx, int(shown.selectItems.indexOf(pick)), pick);
    QVERIFY(fx.message.isEmpty());
    QVERIFY(f.text.modified);
    QCOMPARE(f.dump(), after);
    // A pick that moved to another line took the snapshot there.
    if (f.text.cursorRow != oldRow)
        QCOMPARE(f.text.lineBackup, f.text.cursorLine());
}

void TestSelectList::unreadableTemplateKeepsTheWord()
{
    TemplateFolder folder(sampleTemplates);
    EditorFixture f("tm_|");
    f.templatesDir = folder.dir;
    f.press("Tm");
    QFile::remove(folder.dir + "tm_b");
    f.text.modified = false;
    CommandContext ctx = f.context();
    const CommandEffects fx = pickSelectItem(ctx, 0, "tm_b");
    QVERIFY(fx.message.contains("tm_b"));
    QCOMPARE(f.dump(), QString("tm_|"));
    QVERIFY(!f.text.modified);
}

void TestSelectList::functionPick()
{
    EditorFixture f("x|yz\nfunction TIC()\n  a\nfn b()");
    const CommandEffects shown = f.press("Jp");
    QCOMPARE(shown.selectItems, (QStringList{"TIC", "b"}));
    CommandContext ctx = f.context();
    const CommandEffects fx = pickSelectItem(ctx, 1, "b");
    QCOMPARE(fx.keyboard, KeyboardChange::ResetPage);
    QCOMPARE(f.dump(), QString("xyz\nfunction TIC()\n  a\n|fn b()"));
    QCOMPARE(f.text.lineBackup, QString("fn b()"));
    f.press("q");
    f.press("Un"); // works on the line arrived at
    QCOMPARE(f.dump(), QString("xyz\nfunction TIC()\n  a\n|fn b()"));
}

void TestSelectList::picksKeepTheCursorInAChangedText()
{
    EditorFixture f("a|\nfunction f\nfunction g");
    f.keywords = QStringList{"abc(", "abd("};
    f.press("Jp");
    f.press("Ld");
    f.press("Ld"); // only one line is left
    CommandContext ctx = f.context();
    pickSelectItem(ctx, 1, "g");
    QCOMPARE(f.dump(), QString("|function g"));

    EditorFixture k("abcdef|");
    k.keywords = QStringList{"abcdefgh(", "abcdefxy("};
    k.press("Ky");
    k.press("Hm");
    k.press("Dl");
    k.text.cursorCol = 40; // left past the end by some other path
    CommandContext kctx = k.context();
    pickSelectItem(kctx, 0, "abcdefgh(");
    QCOMPARE(k.dump(), QString("bcdefgh(|"));

    // The typed word to remove now reaches into 😀: the whole character goes, not half.
    TemplateFolder folder(sampleTemplates);
    EditorFixture t("😀tm_|");
    t.templatesDir = folder.dir;
    t.press("Tm");
    t.press("<-");
    CommandContext tctx = t.context();
    pickSelectItem(tctx, 0, "tm_b");
    QCOMPARE(t.dump(), QString("one line|_"));
}

QTEST_GUILESS_MAIN(TestSelectList)
#include "test_selectlist.moc"
