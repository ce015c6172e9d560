// SPDX-License-Identifier: MIT
// The Help text: 155 lines, the commands today's consoles take, the folders filled in wherever
// their placeholder stands.

#include "core/app/helptext.h"

#include <QtTest>

class TestHelpText : public QObject {
    Q_OBJECT

private slots:
    void hasItsLinesAndEndsWithCreditAndAddress()
    {
        const QString text = helpTextTemplate();
        QVERIFY(text.endsWith(u'\n'));
        const QStringList lines = text.chopped(1).split(u'\n');
        QCOMPARE(lines.size(), 155);
        QCOMPARE(lines.first(), QString("[CODE]"));
        QCOMPARE(lines.mid(150),
                 (QStringList{
                     "- The template will display the files whose beginning matches the word at "
                     "the cursor position. If there is no matching file, it displays all the "
                     "templates.",
                     "- You can customize the suggested keywords by editing %fi_keywords%.",
                     "",
                     helpCreditLine,
                     projectWebAddress,
                 }));
        QCOMPARE(lines.count(QString()), 20);
    }

    // What a user types in each console to load the program and import the sprites, with
    // the file names Run and "Ex" write.
    void loadingAndImportCommands()
    {
        const QStringList lines = helpTextTemplate().split(u'\n');
        QCOMPARE(
            lines.mid(3, 15),
            (QStringList{
                "It can be loaded by writing a command like the following on fantasy consoles.",
                "* TIC-80 (files in %exportdir%)", "new js", "import code a.js", "* TIC-80, Lua", "new lua",
                "import code a.lua", "* TIC-80 PRO: code, sprites and colours at once",
                "load a.js (or load a.lua)",
                "When TIC-80 is installed, Run also starts it with the code and the exported sprites loaded.",
                "* LIKO-12", "dofile(\"D:/a.lua\")", "* Pixilang", "It starts automatically.", ""}));
        const qsizetype sprite = lines.indexOf("[SPRITE]");
        QCOMPARE(lines.mid(sprite + 10, 2), (QStringList{"Fv... Flip vertical", "Fh... Flip horizontal"}));
        QCOMPARE(lines.mid(sprite + 17, 9),
                 (QStringList{"It can be imported with the following command on fantasy consoles.",
                              "* TIC-80 (into a new cart)", ">import tiles tiles.png",
                              ">import sprites sprites.png", "* LIKO-12 (NAME: the name of the sprites)",
                              ">import NAME.lk12", "* Pixilang", "img=load(\"NAME0.gif\")", ""}));
        QVERIFY(!helpTextTemplate().contains("dofile(\"%exportdir%"));
    }

    void fillsEveryPlaceholderOnce()
    {
        HelpFolders f;
        f.codeFilesDir = "/w/prgfiles/";
        f.spriteFilesDir = "/w/spfiles/";
        f.templatesDir = "/w/tempfiles/";
        f.exportDir = "/home/u/%di_js%"; // shown as it is, not filled in again
        f.commonFunctionsDir = "/w/js/";
        f.keywordsPath = "/w/keywords.ini";
        const QString text = fillHelpText(f);
        QCOMPARE(text.count("%"), 2); // only those of the export folder's own name
        QVERIFY(text.contains("* TIC-80 (files in /home/u/%di_js%)\n"));
        QVERIFY(text.contains("* Directories\n- Code files\n/w/prgfiles/\n\n- Sprite files\n/w/spfiles/\n\n"
                              "- Templates\n/w/tempfiles/\n\n- Common functions\n/w/js/\n"));
        QVERIFY(text.contains("suggested keywords by editing /w/keywords.ini.\n"));
    }

    void anEmptyExportFolderFillsInAsNothing()
    {
        QVERIFY(fillHelpText({}).contains("\n* TIC-80 (files in )\nnew js\n"));
    }
};

QTEST_GUILESS_MAIN(TestHelpText)
#include "test_helptext.moc"
