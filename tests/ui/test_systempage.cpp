// SPDX-License-Identifier: MIT
// The System and Help pages driven through their real controls, and Archive in both file
// choosers.

#include "core/app/backup.h"
#include "core/app/filelist.h"
#include "core/app/helptext.h"
#include "core/app/workspace.h"
#include "uisupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScroller>
#include <QTabBar>
#include <QtTest>

namespace {

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

std::unique_ptr<TfrmMain> startOnPage(int page, WindowSinks sinks = desktopSinks())
{
    auto w = startWindow(std::move(sinks));
    w->TabControl1->setCurrentIndex(page);
    return w;
}

// The settings Apply writes, in its order, and the key row height the layout uses.
QStringList applied(const TfrmMain& w)
{
    QStringList parts;
    for (const char* key : {"exportdir", "width", "keyheight", "command", "web", "sprite", "lang", "palette"})
        parts.append(w.settingsList.value(QString::fromLatin1(key)));
    parts.append(QStringLiteral("rows of %1").arg(w.pnlKeys->height() / 8));
    return parts;
}

QString accessibleText(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface || !iface->textInterface())
        return {};
    return iface->textInterface()->text(0, iface->textInterface()->characterCount());
}

} // namespace

class TestSystemPage : public QObject {
    Q_OBJECT

private slots:
    void applyStoresUntilTheFirstUnusableNumber_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored"); // the last step of Apply that ran (9: all, with the layout)
        QTest::addColumn<QString>("message");
        QTest::newRow("Width 016") << "Width"
                                   << "016" << 9 << "Done.";
        QTest::newRow("Width abc") << "Width"
                                   << "abc" << 1 << "Error.";
        QTest::newRow("Width 0") << "Width"
                                 << "0" << 1 << "Error.";
        QTest::newRow("Buttons height(CODE) abc") << "Buttons height(CODE)"
                                                  << "abc" << 2 << "Error.";
        QTest::newRow("Buttons height(CODE) empty") << "Buttons height(CODE)"
                                                    << "" << 2 << "Error.";
        QTest::newRow("Buttons height(SPRITE) -5") << "Buttons height(SPRITE)"
                                                   << "-5" << 3 << "Error.";
        QTest::newRow("Sprite size 256") << "Sprite size"
                                         << "256" << 5 << "Error.";
        QTest::newRow("Sprite size 0") << "Sprite size"
                                       << "0" << 5 << "Error.";
        QTest::newRow("Sprite size 1.5") << "Sprite size"
                                         << "1.5" << 5 << "Error.";
    }
    void applyStoresUntilTheFirstUnusableNumber()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(QString, message);
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        const QStringList before = applied(*w);

        // New values in every field, then the one under test.
        typeInto(w->edtOpenmsxdir, "/new/export");
        typeInto(w->edtWidth, "40");
        typeInto(w->edtKeyHeight, "20");
        typeInto(w->edtCommand, "22");
        w->chkGfx9000->setChecked(true);
        typeInto(w->edtSpriteSize, "8");
        w->cmbColor->setCurrentIndex(3);
        const QHash<QString, QLineEdit*> edits{{"Width", w->edtWidth},
                                               {"Buttons height(CODE)", w->edtKeyHeight},
                                               {"Buttons height(SPRITE)", w->edtCommand},
                                               {"Sprite size", w->edtSpriteSize}};
        typeInto(edits[field], typed);
        click(w->btApply);

        QStringList after{"/new/export", field == "Width" ? "16" : "40", "20", "22", "1", "8", "0", "3",
                          "rows of 20"};
        // Steps not reached keep the old values; a layout pass runs only after all of them.
        const int step[] = {1, 2, 3, 4, 5, 6, 7, 7, 9};
        for (int i = 0; i < after.size(); ++i)
            if (step[i] > stored)
                after[i] = before[i];
        QCOMPARE(applied(*w), after);
        QCOMPARE(recorder.messages, QStringList{message});
    }

    void applyWithAnEmptyExportFolderRemovesItsKey()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        w->cmbLang->setCurrentIndex(2);
        typeInto(w->edtOpenmsxdir, "");
        click(w->btApply);
        QVERIFY(!w->settingsList.lines.join(u'\n').contains("exportdir2"));
        QCOMPARE(w->settingsList.value(u"lang"), QString("2"));
        w->showSettings();
        QCOMPARE(w->edtOpenmsxdir->text(), QString());
        QCOMPARE(recorder.messages, QStringList{"Done."});
    }

    void languageShowsItsFolderAndPreselectsThePalette()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        w->settingsList.setValue("exportdir", "/tic");
        w->settingsList.setValue("exportdir2", "/liko");
        w->settingsList.setValue("exportdir3", "/pixi");
        QStringList seen;
        const auto pick = [&](int lang) {
            w->cmbLang->setCurrentIndex(lang);
            seen.append(w->cmbLang->currentText() + ": " + w->edtOpenmsxdir->text() + " " +
                        w->cmbColor->currentText());
        };
        pick(2);
        pick(0);
        w->cmbColor->setCurrentIndex(5);
        pick(3);
        pick(1);
        QCOMPARE(seen, (QStringList{"Lua(LIKO-12): /liko PICO-8", "Javascript(TIC-80): /tic SWEETIE16",
                                    "Pixilang: /pixi C64", "Lua(TIC-80): /tic SWEETIE16"}));
        QCOMPARE(w->settingsList.value(u"lang"), QString("0")); // nothing stored before Apply
    }

    // A first start on Linux points each console's folder where that console reads its
    // files, TIC-80's made at once, and draws in TIC-80's own colours.
    void firstStartShowsTheConsolesFolders_data()
    {
        QTest::addColumn<bool>("fusedLiko12"); // only a fused LIKO-12 has run on this machine
        QTest::addColumn<QString>("liko12");
        QTest::newRow("LIKO-12 on its runtime") << false << "/.local/share/love/LIKO-12/Drives/D";
        QTest::newRow("fused LIKO-12") << true << "/.local/share/LIKO-12/Drives/D";
    }
    void firstStartShowsTheConsolesFolders()
    {
        QFETCH(bool, fusedLiko12);
        QFETCH(QString, liko12);
        TempHome home;
        MessageRecorder recorder;
        if (fusedLiko12)
            QVERIFY(QDir().mkpath(home.path() + "/.local/share/LIKO-12/Drives/D"));
        auto w = startOnPage(3, recorder.sinks());
        const QString tic80 = home.path() + "/.local/share/com.nesbox.tic/TIC-80";
        QStringList seen{w->edtOpenmsxdir->text() + " " + w->cmbColor->currentText()};
        for (int lang : {1, 2, 3}) {
            w->cmbLang->setCurrentIndex(lang);
            seen.append(w->edtOpenmsxdir->text() + " " + w->cmbColor->currentText());
        }
        QCOMPARE(seen, (QStringList{tic80 + " SWEETIE16", tic80 + " SWEETIE16",
                                    home.path() + liko12 + " PICO-8", home.path() + "/Documents PICO-8"}));
        QVERIFY(QFileInfo(tic80).isDir());
        QCOMPARE(recorder.messages, QStringList());
    }

    // A workspace set up before SWEETIE16 existed keeps its settings as they are; picking a
    // TIC-80 language there still preselects SWEETIE16, in its own colours.
    void anOlderWorkspaceKeepsItsPalette()
    {
        TempHome home;
        MessageRecorder recorder;
        startWindow(recorder.sinks())->close();
        const QString ini = home.workspace() + "quill.ini";
        QString settings = QString::fromUtf8(readBytes(ini));
        settings.remove(QRegularExpression("pltSWEETIE16=[0-9a-f]*\r\n"));
        settings.replace("palette=17\r\n", "palette=0\r\n");
        QVERIFY(writeBytes(ini, settings.toUtf8()));

        auto w = startOnPage(3, recorder.sinks());
        QCOMPARE(w->cmbColor->currentText(), "DB16");
        QCOMPARE(w->sheet.palette[0], 0xFF140C1Cu);
        w->cmbLang->setCurrentIndex(1);
        QCOMPARE(w->cmbColor->currentText(), "SWEETIE16");
        click(w->btApply);
        QCOMPARE(w->sheet.palette[0], 0xFF1A1C2Cu);
        QCOMPARE(w->sheet.palette[15], 0xFF333C57u);
        w->close();
        QVERIFY(!readBytes(ini).contains("pltSWEETIE16"));
        QCOMPARE(recorder.messages, QStringList{"Done."});
    }

    void applyClearsTheSpritesOnlyForANewSize()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        const auto draw = [&] {
            w->sheet.cellCount = 3;
            w->sheet.currentCell = 2;
            w->sheet.setPixel(1, 1, 7);
        };
        draw();
        click(w->btApply);
        QCOMPARE(w->sheet.pixel(1, 1), std::uint8_t(7));
        typeInto(w->edtSpriteSize, "8");
        click(w->btApply);
        QCOMPARE(QString("%1x%2 %3 cells, %4 bytes, %5 set")
                     .arg(w->sheet.cellWidth)
                     .arg(w->sheet.cellHeight)
                     .arg(w->sheet.cellCount)
                     .arg(w->sheet.sheetStore.size())
                     .arg(w->sheet.sheetStore.mid(3).count('\0') == w->sheet.sheetStore.size() - 3 ? 0 : 1),
                 QString("8x8 1 cells, %1 bytes, 0 set").arg(3 + 256 * 64));
        QCOMPARE(w->sheet.pixelSize, w->pageWidth / 8);
        QCOMPARE(w->settingsList.value(u"sprite"), QString("8"));
        QCOMPARE(recorder.messages, (QStringList{"Done.", "Done."}));
    }

    void defaultRestoresTemplatesAndSettings()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        const QString tmTemp = w->workspace.templatesDir + "tm_temp";
        QVERIFY(writeBytes(tmTemp, "edited"));
        typeInto(w->edtWidth, "40");
        typeInto(w->edtSpriteSize, "8");
        w->cmbLang->setCurrentIndex(2);
        click(w->btApply);
        w->settingsList.setValue("code", "mine.js");
        w->shiftOn = true;
        typeInto(w->edtCommand, "99"); // an edit never applied

        click(w->btDefault);
        QCOMPARE(readBytes(tmTemp).size(), 744);
        QCOMPARE(applied(*w),
                 QStringList({defaultTic80Folder(), "32", "30", "26", "0", "16", "0", "17", "rows of 30"}));
        QCOMPARE(w->settingsList.value(u"code"), QString("mine.js"));
        QCOMPARE(
            QStringList({w->edtWidth->text(), w->edtCommand->text(), w->edtSpriteSize->text(),
                         w->edtOpenmsxdir->text(), w->cmbLang->currentText(), w->cmbColor->currentText()}),
            QStringList({"32", "26", "16", defaultTic80Folder(), "Javascript(TIC-80)", "SWEETIE16"}));
        QCOMPARE(w->sheet.cellWidth, 16);
        QVERIFY(!w->shiftOn);
        QCOMPARE(recorder.messages, (QStringList{"Done.", "Done."}));
    }

    void websiteOpensTheProjectAddress()
    {
        TempHome home;
        MessageRecorder recorder;
        QList<QUrl> opened;
        WindowSinks sinks = recorder.sinks();
        sinks.openUrl = [&](const QUrl& url) { opened.append(url); };
        auto w = startOnPage(3, sinks);
        click(w->btWebsite);
        QCOMPARE(opened, QList<QUrl>{QUrl(projectWebAddress)});
        QVERIFY(recorder.messages.isEmpty());
    }

    void hiddenControlsStayHidden()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        QVERIFY(!w->chkGfx9000->isVisible() && !w->btExport->isVisible());
        QVERIFY(w->btApply->isVisible() && w->btExportAll->isVisible());
    }

    void helpPageReadsWithTheFoldersFilledIn()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(2, recorder.sinks());
        const Workspace& ws = w->workspace;
        const QString text = accessibleText(w->Memo1);
        QCOMPARE(text, w->Memo1->toPlainText());
        const QStringList lines = text.split(u'\n');
        QCOMPARE(lines.size(), 155);
        QCOMPARE(w->Memo1->document()->blockCount(), 155);
        // The commands today's consoles take, with TIC-80's own folder, where Run writes.
        QCOMPARE(lines.mid(4, 3), (QStringList{"* TIC-80 (files in " + defaultTic80Folder() + ")", "new js",
                                               "import code a.js"}));
        QCOMPARE(lines.mid(lines.indexOf("* TIC-80 (into a new cart)"), 3),
                 (QStringList{"* TIC-80 (into a new cart)", ">import tiles tiles.png",
                              ">import sprites sprites.png"}));
        QVERIFY(lines.contains("dofile(\"D:/a.lua\")"));
        QVERIFY(lines.contains(">import NAME.lk12"));
        QVERIFY(lines.contains("Fh... Flip horizontal"));
        const qsizetype dirs = lines.indexOf("* Directories");
        QCOMPARE(lines.mid(dirs, 12),
                 (QStringList{"* Directories", "- Code files", ws.codeFilesDir, "", "- Sprite files",
                              ws.spriteFilesDir, "", "- Templates", ws.templatesDir, "", "- Common functions",
                              ws.commonFunctionsDir}));
        QVERIFY(lines[lines.size() - 4].endsWith("by editing " + ws.keywordsPath + "."));
        QCOMPARE(lines.last(), QString(projectWebAddress));
        QVERIFY(w->Memo1->isReadOnly());
        QCOMPARE(w->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        // Which font the machine resolves depends on what it has installed; the request is
        // ours: "MS Gothic" first, then a fixed-pitch fallback.
        QCOMPARE(w->Memo1->font().families().value(0), "MS Gothic");
        QVERIFY(w->Memo1->font().fixedPitch());
        QCOMPARE(w->Memo1->font().styleHint(), QFont::TypeWriter);
        QCOMPARE(w->Memo1->font().pixelSize(), 20);
        QVERIFY(QScroller::hasScroller(w->Memo1->viewport()));
    }

    void backupWritesTheDatedArchive()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        QVERIFY(writeBytes(w->workspace.codeFilesDir + "game.js", "cls()\r\n"));
        QVERIFY(writeBytes(w->workspace.spriteFilesDir + "hero", "\x10\x10\x01"));
        click(w->btExportAll);
        QCOMPARE(recorder.messages, QStringList{"Completed."});
        const QByteArray zip =
            readBytes(defaultTic80Folder() + "/" + backupArchiveName(QDate::currentDate()));
        QVERIFY(zip.startsWith("PK\x03\x04") && zip.contains("prgfiles/game.js") &&
                zip.contains("spfiles/hero"));
    }

    void backupNamesWhatItLeftOut()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        QVERIFY(writeBytes(w->workspace.codeFilesDir + "game.js", "cls()\r\n"));
        QVERIFY(QFile::link(w->workspace.codeFilesDir + "game.js", w->workspace.codeFilesDir + "link"));
        click(w->btExportAll);
        QCOMPARE(recorder.messages,
                 QStringList{"prgfiles/link was left out: it is a symbolic link, not a file.\nCompleted."});
    }

    void backupWithoutAnExportFolderSaysSo()
    {
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(3, recorder.sinks());
        typeInto(w->edtOpenmsxdir, "");
        click(w->btApply);
        click(w->btExportAll);
        QCOMPARE(recorder.messages.size(), 2);
        QVERIFY2(recorder.messages[1].contains("export folder is not set"), qPrintable(recorder.messages[1]));
    }

    void archiveMovesTheListedFilesAndEmptiesTheList_data()
    {
        QTest::addColumn<bool>("sprites");
        QTest::newRow("code files") << false;
        QTest::newRow("sprite files") << true;
    }
    void archiveMovesTheListedFilesAndEmptiesTheList()
    {
        QFETCH(bool, sprites);
        TempHome home;
        MessageRecorder recorder;
        auto w = startOnPage(sprites ? 1 : 0, recorder.sinks());
        const QString source = sprites ? w->workspace.spriteFilesDir : w->workspace.codeFilesDir;
        const QString target = w->workspace.workspaceDir + (sprites ? "spfiles_bk/" : "prgfiles_bk/");
        QListWidget* list = sprites ? w->lstGrafiles : w->lstBasfiles;
        QWidget* chooser = sprites ? w->pnlGraFiles : w->pnlBasfiles;
        QVERIFY(writeBytes(source + "one", "1"));
        QVERIFY(writeBytes(source + "two", "new"));
        QVERIFY(writeBytes(target + "two", "archived before"));
        list->addItems(listFiles(source)); // as the chooser's Open fills it
        chooser->show();

        click(sprites ? w->btGraArchive : w->btTextArchive);
        QCOMPARE(list->count(), 0);
        QVERIFY(chooser->isVisible());
        QCOMPARE(listFiles(source), QStringList{"two"});
        QCOMPARE(listFiles(target), (QStringList{"one", "two"}));
        QCOMPARE(readBytes(target + "two"), QByteArray("archived before"));
        // The file that stayed is named, not left out silently.
        QCOMPARE(recorder.messages,
                 QStringList{"two was not archived: " + target + " already holds a file of that name."});
    }
};

QTEST_MAIN(TestSystemPage)
#include "test_systempage.moc"
