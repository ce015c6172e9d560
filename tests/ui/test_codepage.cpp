// SPDX-License-Identifier: MIT
// The Code page's file buttons clicked for real: New, Open, picking a file, OK, Cancel,
// Save and Run, in a private home with the messages and program starts recorded.

#include "core/editor/runexport.h"
#include "ui/app/paintsurface.h"
#include "uisupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {

void pick(QListWidget* list, const QString& name)
{
    const auto items = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
}

QStringList listed(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// What the user sees of the page and what the model holds, in one line.
QString pageState(const TfrmMain& w)
{
    const bool chooser = w.pnlBasfiles->isVisible();
    QString state = QStringLiteral("%1 name=\"%2\" [%3] cursor %4,%5 view %6,%7 modified %8 line %9")
                        .arg(chooser ? "chooser" : "editor", w.edtFile->text(), w.text.codeLines.join(u'|'))
                        .arg(w.text.cursorRow)
                        .arg(w.text.cursorCol)
                        .arg(w.text.topRow)
                        .arg(w.text.leftCol)
                        .arg(int(w.text.modified))
                        .arg(w.lblLine->text());
    // The code view and the keyboard are shown exactly when the chooser is not.
    if (w.pntProg->isVisible() == chooser || w.pnlKeys->isVisible() == chooser)
        state += QStringLiteral(" (code view or keys shown with the chooser)");
    return state;
}

// Records every program start of the windows started with its sinks instead of making it,
// so no test starts a console installed on the machine.
class StartRecorder {
public:
    StartRecorder() = default;
    StartRecorder(const StartRecorder&) = delete;
    StartRecorder& operator=(const StartRecorder&) = delete;

    // sinks with the program starts recorded here.
    WindowSinks sinks(WindowSinks sinks)
    {
        sinks.startProgram = [this](const QString& program, const QStringList& args, const QString& dir) {
            starts << (QStringList{program} + args + QStringList{"in " + dir}).join(u' ');
            return true;
        };
        return sinks;
    }
    QStringList starts;
};

void setText(TfrmMain& w, const QStringList& lines, int row, int col)
{
    w.text.codeLines = lines;
    w.text.cursorRow = row;
    w.text.cursorCol = col;
    w.text.topRow = row;
    w.text.leftCol = col;
    w.text.modified = true;
}

} // namespace

class TestCodePage : public QObject {
    Q_OBJECT

private slots:
    void newGivesTheSkeletonAndNoName();
    void saveAsksForANameThenWrites();
    void saveRefusesAFolderPart();
    void openPickOk();
    void okWithoutPickOrOnAVanishedFile();
    void cancelReturnsUnchanged();
    void runExportsAndSavesFirst();
    void runCarriesTheDrawnSprites();
    void runFailureMessages();
    void runStartsPixilangInItsFolder();
    void runStartsTic80FromRunpath();
    void latin1CodeSurvivesAnEditAndARestart();
};

void TestCodePage::newGivesTheSkeletonAndNoName()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    w->edtFile->setText(QStringLiteral("prog"));
    setText(*w, {QStringLiteral("a"), QStringLiteral("bc")}, 1, 2);
    w->lblLine->setText(QStringLiteral("2"));
    click(w->btTextNew);
    QCOMPARE(pageState(*w),
             QStringLiteral("editor name=\"\" [|function TIC(){|}|] cursor 0,0 view 0,0 modified 1 line 2"));

    // The skeleton follows the language.
    w->settingsList.setValue(QStringLiteral("lang"), QStringLiteral("1"));
    click(w->btTextNew);
    QCOMPARE(w->text.codeLines, (QStringList{"", "function TIC()", "end", ""}));
    w->settingsList.setValue(QStringLiteral("lang"), QStringLiteral("3"));
    click(w->btTextNew);
    QCOMPARE(w->text.codeLines, QStringList{""});
    QCOMPARE(messages.messages, QStringList());
}

void TestCodePage::saveAsksForANameThenWrites()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QString dir = w->workspace.codeFilesDir;
    setText(*w, {QStringLiteral("x=1"), QString(), QStringLiteral("ü")}, 0, 0);

    click(w->btTextSave);
    QCOMPARE(messages.messages, QStringList{"Input file name."});
    QVERIFY(w->text.modified);
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList());

    QTest::keyClicks(w->edtFile, QStringLiteral("prog"));
    click(w->btTextSave);
    QCOMPARE(messages.messages, (QStringList{"Input file name.", "Saved."}));
    QCOMPARE(readBytes(dir + "prog"), QByteArray("x=1\r\n\r\n\xc3\xbc\r\n"));
    QVERIFY(!w->text.modified);
}

void TestCodePage::saveRefusesAFolderPart()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setText(*w, {QStringLiteral("x=1")}, 0, 0);
    for (const QString& name :
         {QStringLiteral("../escape"), QStringLiteral("sub/prog"), QStringLiteral("..")}) {
        w->edtFile->setText(name);
        click(w->btTextSave);
        QVERIFY2(
            messages.messages.takeLast().startsWith(u'"' + name + QStringLiteral("\" is not a file name")),
            qPrintable(name));
        QVERIFY(w->text.modified);
    }
    QVERIFY(!QFile::exists(w->workspace.workspaceDir + "escape"));
    QVERIFY(!QFile::exists(w->workspace.codeFilesDir + "sub"));
}

void TestCodePage::openPickOk()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QString dir = w->workspace.codeFilesDir;
    writeBytes(dir + "zeta", "z\r\n");
    writeBytes(dir + "alpha", "first\r\nsecond\r\n");
    writeBytes(dir + ".hidden", "h\r\n");
    QDir().mkpath(dir + "folder");
    setText(*w, {QStringLiteral("old"), QStringLiteral("text")}, 1, 2);
    w->lblLine->setText(QStringLiteral("2"));

    click(w->btTextOpen);
    QCOMPARE(listed(w->lstBasfiles), (QStringList{".hidden", "alpha", "zeta"}));
    QCOMPARE(pageState(*w),
             QStringLiteral("chooser name=\"\" [old|text] cursor 1,2 view 1,2 modified 1 line 2"));

    pick(w->lstBasfiles, QStringLiteral("alpha"));
    click(w->btTextOk);
    QCOMPARE(pageState(*w),
             QStringLiteral("editor name=\"alpha\" [first|second] cursor 0,0 view 0,0 modified 0 line 2"));
    QCOMPARE(w->text.lineBackup, QStringLiteral("first"));
    QCOMPARE(messages.messages, QStringList());

    // Opening again lists what is there now.
    QFile::remove(dir + "zeta");
    click(w->btTextOpen);
    QCOMPARE(listed(w->lstBasfiles), (QStringList{".hidden", "alpha"}));
    QVERIFY(w->lstBasfiles->selectedItems().isEmpty());
}

void TestCodePage::okWithoutPickOrOnAVanishedFile()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QString dir = w->workspace.codeFilesDir;
    writeBytes(dir + "gone", "g\r\n");
    w->edtFile->setText(QStringLiteral("mine"));
    setText(*w, {QStringLiteral("my text")}, 0, 3);
    const QString before = pageState(*w);

    click(w->btTextOpen);
    click(w->btTextOk);
    QCOMPARE(pageState(*w), QString(before).replace(QStringLiteral("editor"), QStringLiteral("chooser")));

    pick(w->lstBasfiles, QStringLiteral("gone"));
    QFile::remove(dir + "gone");
    click(w->btTextOk);
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.messages.first().startsWith(QStringLiteral("Cannot read ") + dir + "gone"),
             qPrintable(messages.messages.first()));
    // Name and text still belong together, and the chooser stays open.
    QCOMPARE(pageState(*w), QString(before).replace(QStringLiteral("editor"), QStringLiteral("chooser")));
}

void TestCodePage::cancelReturnsUnchanged()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    writeBytes(w->workspace.codeFilesDir + "other", "o\r\n");
    w->edtFile->setText(QStringLiteral("mine"));
    setText(*w, {QStringLiteral("my text")}, 0, 3);
    const QString before = pageState(*w);

    click(w->btTextOpen);
    pick(w->lstBasfiles, QStringLiteral("other"));
    click(w->btTextCancel);
    QCOMPARE(pageState(*w), before);
    QCOMPARE(messages.messages, QStringList());
}

void TestCodePage::runExportsAndSavesFirst()
{
    TempHome home;
    MessageRecorder messages;
    StartRecorder starts;
    auto w = startWindow(starts.sinks(messages.sinks()));
    const QString js = home.path() + "/.local/share/com.nesbox.tic/TIC-80/a.js";
    const QByteArray prelude = readBytes(w->workspace.commonFunctionsDir + "func.js");
    QVERIFY(prelude.endsWith("\r\n"));

    // Unnamed: exported, nothing saved.
    setText(*w, {QStringLiteral("function TIC(){"), QStringLiteral("}")}, 1, 0);
    click(w->btRun);
    QCOMPARE(readBytes(js), "// script: js\r\nfunction TIC(){\r\n}\r\n" + prelude);
    QCOMPARE(QDir(w->workspace.codeFilesDir).entryList(QDir::Files), QStringList());

    // Named and modified: saved without a message on every run; modified stays set.
    w->edtFile->setText(QStringLiteral("prog"));
    click(w->btRun);
    QCOMPARE(readBytes(w->workspace.codeFilesDir + "prog"), QByteArray("function TIC(){\r\n}\r\n"));
    QVERIFY(w->text.modified);
    w->text.codeLines.append(QStringLiteral("x"));
    click(w->btRun);
    QCOMPARE(readBytes(w->workspace.codeFilesDir + "prog"), QByteArray("function TIC(){\r\n}\r\nx\r\n"));

    // Saved: not written again.
    click(w->btTextSave);
    w->text.codeLines.append(QStringLiteral("y"));
    click(w->btRun);
    QCOMPARE(readBytes(w->workspace.codeFilesDir + "prog"), QByteArray("function TIC(){\r\n}\r\nx\r\n"));
    QCOMPARE(readBytes(js), "// script: js\r\nfunction TIC(){\r\n}\r\nx\r\ny\r\n" + prelude);
    QCOMPARE(messages.messages, QStringList{"Saved."});
    QCOMPARE(
        pageState(*w),
        QStringLiteral("editor name=\"prog\" [function TIC(){|}|x|y] cursor 1,0 view 1,0 modified 0 line 1"));
}

// The sprites drawn on the Sprite page go into the TIC-80 program as its project sections,
// after the prelude.
void TestCodePage::runCarriesTheDrawnSprites()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    w->sheet.setPixel(0, 0, 5);
    click(w->btRun);
    const QByteArray js = readBytes(home.path() + "/.local/share/com.nesbox.tic/TIC-80/a.js");
    const QByteArray prelude = readBytes(w->workspace.commonFunctionsDir + "func.js");
    QVERIFY(
        js.contains(prelude + "// <TILES>\r\n// 000:5" + QByteArray(63, '0') + "\r\n// </TILES>\r\n\r\n"));
    QVERIFY(js.endsWith("// </PALETTE>\r\n\r\n"));
    QCOMPARE(messages.messages, QStringList());
}

void TestCodePage::runFailureMessages()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setText(*w, {QStringLiteral("x=1")}, 0, 0);
    w->settingsList.setValue(QStringLiteral("lang"), QStringLiteral("2"));
    w->settingsList.setValue(QStringLiteral("exportdir2"), home.path() + "/missing");
    click(w->btRun);
    QCOMPARE(messages.messages,
             QStringList{"Failed to create " + home.path() + "/missing/a.lua\nNo such file or directory"});

    // A name with a folder part writes nothing, not even the export.
    w->settingsList.setValue(QStringLiteral("exportdir2"), home.path() + "/Documents");
    w->edtFile->setText(QStringLiteral("../prog"));
    click(w->btRun);
    QVERIFY(messages.messages.last().startsWith(QStringLiteral("\"../prog\" is not a file name")));
    QVERIFY(!QFile::exists(w->workspace.workspaceDir + "prog"));
    QVERIFY(!QFile::exists(home.path() + "/Documents/a.lua"));
}

void TestCodePage::runStartsPixilangInItsFolder()
{
    TempHome home;
    MessageRecorder messages;
    const QString cwd = QDir::currentPath();
    StartRecorder starts;
    const QStringList& started = starts.starts;
    auto w = startWindow(starts.sinks(messages.sinks()));
    const QString pixi = home.path() + "/pixi";
    QDir().mkpath(pixi);
    w->settingsList.setValue(QStringLiteral("lang"), QStringLiteral("3"));
    w->settingsList.setValue(QStringLiteral("exportdir3"), pixi);
    click(w->btTextNew);
    click(w->btRun);
    const QByteArray prelude = readBytes(w->workspace.commonFunctionsDir + "func.pixi");
    QCOMPARE(readBytes(pixi + "/boot.pixi"), "\r\n" + prelude);
    QCOMPARE(started, QStringList{pixi + "/pixilang in " + pixi});
    QCOMPARE(messages.messages, QStringList());

    // LIKO-12 starts nothing.
    w->settingsList.setValue(QStringLiteral("lang"), QStringLiteral("2"));
    click(w->btRun);
    QCOMPARE(started.size(), 1);
    QCOMPARE(QDir::currentPath(), cwd); // the program's own folder is left alone
}

void TestCodePage::runStartsTic80FromRunpath()
{
    TempHome home;
    MessageRecorder messages;
    StartRecorder starts;
    auto w = startWindow(starts.sinks(messages.sinks()));
    const QString docs = w->settingsList.value(QStringLiteral("exportdir"));
    const QString tic80 = home.path() + "/apps/tic80";
    QVERIFY(writeBytes(tic80, "#!/bin/sh\n"));
    QVERIFY(QFile::setPermissions(tic80, QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(writeBytes(docs + "/sprites.png", "image"));
    w->settingsList.setValue(QStringLiteral("lang"), QStringLiteral("1"));
    w->settingsList.setValue(QStringLiteral("runpath"), tic80);
    click(w->btTextNew);
    click(w->btRun);
    QVERIFY(readBytes(docs + "/a.lua").startsWith("-- script: lua\r\n"));
    QCOMPARE(starts.starts,
             QStringList{tic80 + " --skip --fs=" + docs +
                         " --cmd=new lua & import code a.lua & import sprites sprites.png & run in " + docs});
    QCOMPARE(messages.messages, QStringList());

    // A runpath pointing nowhere: one message on each Run, the export written all the same.
    const QString nowhere = home.path() + "/nowhere/tic80";
    w->settingsList.setValue(QStringLiteral("runpath"), nowhere);
    QVERIFY(QFile::remove(docs + "/a.lua"));
    click(w->btRun);
    click(w->btRun);
    QCOMPARE(messages.messages.size(), 2);
    QVERIFY2(messages.messages.first().startsWith("Cannot start TIC-80 from " + nowhere + ". "),
             qPrintable(messages.messages.first()));
    QCOMPARE(messages.messages.last(), messages.messages.first());
    QVERIFY(QFile::exists(docs + "/a.lua"));
    QCOMPARE(starts.starts.size(), 1);
}

// Latin-1 bytes that, once the first line is gone, begin like a UTF-16 mark: the code
// buffer remembers its encoding, so the next start reads them as Latin-1 again.
void TestCodePage::latin1CodeSurvivesAnEditAndARestart()
{
    TempHome home;
    MessageRecorder messages;
    const QString code = QString::fromLatin1("\xFE\xFFprint(1)");
    {
        auto w = startWindow(messages.sinks());
        QVERIFY(writeBytes(w->workspace.codeFilesDir + "latin", "\xE9\r\n\xFE\xFFprint(1)\r\n"));
        click(w->btTextOpen);
        pick(w->lstBasfiles, QStringLiteral("latin"));
        click(w->btTextOk);
        clickKeys(*w, {"Sh", "Ld"});
        QCOMPARE(w->text.codeLines, QStringList{code});
        w->TabControl1->setCurrentIndex(3);
        click(w->btQuit);
    }
    QCOMPARE(readBytes(home.workspace() + "temp.txt"), QByteArray("\xFE\xFFprint(1)\r\n"));
    auto w = startWindow(messages.sinks());
    QCOMPARE(w->text.codeLines, QStringList{code});
    QCOMPARE(w->edtFile->text(), QStringLiteral("latin"));
    // Save writes the file in the encoding it was read in, and Run exports the same text.
    click(w->btTextSave);
    QCOMPARE(readBytes(w->workspace.codeFilesDir + "latin"), QByteArray("\xFE\xFFprint(1)\r\n"));
    QCOMPARE(messages.messages, QStringList{"Saved."});
}

QTEST_MAIN(TestCodePage)
#include "test_codepage.moc"
