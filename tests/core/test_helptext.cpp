// The Help text: 148 lines, the folders filled in wherever their placeholder stands.

#include "app/helptext.h"

#include <QtTest>

class TestHelpText : public QObject {
    Q_OBJECT

private slots:
    void hasItsLinesAndEndsWithCreditAndAddress()
    {
        const QString text = helpTextTemplate();
        QVERIFY(text.endsWith(u'\n'));
        const QStringList lines = text.chopped(1).split(u'\n');
        QCOMPARE(lines.size(), 148);
        QCOMPARE(lines.first(), QString("[CODE]"));
        QCOMPARE(lines.mid(143),
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
        QVERIFY(text.contains("dofile(\"/home/u/%di_js%/a.js\")\n"));
        QVERIFY(text.contains("* Directories\n- Code files\n/w/prgfiles/\n\n- Sprite files\n/w/spfiles/\n\n"
                              "- Templates\n/w/tempfiles/\n\n- Common functions\n/w/js/\n"));
        QVERIFY(text.contains("suggested keywords by editing /w/keywords.ini.\n"));
    }

    void anEmptyExportFolderLeavesTheSlashAlone()
    {
        QVERIFY(fillHelpText({}).contains("dofile(\"/a.js\")\n"
                                          "When TIC-80 is installed, Run also starts it with the code and "
                                          "the exported sprites loaded.\n"
                                          "* LIKO-12\ndofile(\"/a.lua\")\n"));
    }
};

QTEST_GUILESS_MAIN(TestHelpText)
#include "test_helptext.moc"
