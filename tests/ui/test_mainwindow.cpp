// SPDX-License-Identifier: MIT
// The window: start-up, provisioning on first start, the designed geometry of every page,
// saving at close, and the repair of settings no layout can use.

#include "ui/editor/selectlist.h"
#include "uisupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>

namespace {

// A control's rectangle in the coordinates of the page it sits on.
QRect onPage(QWidget* control, QWidget* page)
{
    return QRect(control->mapTo(page, QPoint(0, 0)), control->size());
}

QString settingsText(const TempHome& home)
{
    return QString::fromUtf8(readBytes(home.workspace() + "quill.ini"));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStartProvisionsAndLaysOut()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startWindow(messages.sinks());
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));

        QCOMPARE(w->windowTitle(), "Zenkodo");
        QCOMPARE(w->size(), QSize(384, 567));
        QCOMPARE(w->TabControl1->count(), 4);
        QCOMPARE(w->TabControl1->tabText(3), "System");
        QCOMPARE(w->TabControl1->currentIndex(), 0);
        QVERIFY(w->TabItem1->isVisible());
        for (QWidget* page : {w->TabItem2, w->TabItem3, w->TabItem4})
            QVERIFY(!page->isVisible());
        QCOMPARE(w->Memo1->size(), QSize(384, 518));
        QCOMPARE(w->pageWidth, 384);
        QCOMPARE(w->stripHeight, 24);
        QVERIFY(messages.messages.isEmpty());

        // The designed rectangles, on the page named or else in the parent's coordinates.
        const struct {
            const char* what;
            QWidget* control;
            QWidget* page;
            QRect rect;
        } designed[] = {
            {"tab bar", w->TabControl1, nullptr, {0, 0, 384, 49}},
            {"code page", w->TabItem1, nullptr, {0, 49, 384, 518}},
            // Code menu row: menuStep 54.
            {"New", w->btTextNew, w->TabItem1, {0, 0, 54, 43}},
            {"Save", w->btTextSave, w->TabItem1, {108, 0, 54, 43}},
            {"file name", w->edtFile, w->TabItem1, {162, 4, 114, 32}},
            {"Run", w->btRun, w->TabItem1, {330, 0, 54, 43}},
            // Keys: 8 rows of 30 under the code view.
            {"keys", w->pnlKeys, w->TabItem1, {0, 278, 384, 240}},
            {"code view", w->pntProg, w->TabItem1, {0, 43, 384, 235}},
            // Sprite page: toolStep 48, command 26.
            {"sprite canvas", w->pntMain, w->TabItem2, {0, 43, 384, 384}},
            {"sprite tools", w->pnlGraTools, w->TabItem2, {0, 427, 384, 91}},
            {"preview", w->pntView, nullptr, {0, 24, 32, 32}}, // 16 x 16 drawn at scale 2
            {"colour strip", w->pntColor, nullptr, {0, 0, 384, 24}},
            {"Add", w->btGraAdd, nullptr, {49, 37, 46, 26}},
            {"Rotate", w->btGraRotate, nullptr, {1, 65, 46, 26}},
            {"Data", w->btGraData, nullptr, {337, 65, 46, 26}},
            // System page: the fixed layout.
            {"width", w->edtWidth, nullptr, {244, 5, 69, 32}},
            {"colour scheme", w->cmbColor, nullptr, {104, 254, 201, 32}},
            {"Quit", w->btQuit, nullptr, {209, 457, 145, 44}},
            // The floating selection list.
            {"selection list", w->pnlSelect, nullptr, {32, 16, 320, 518}},
        };
        for (const auto& d : designed) {
            const QRect actual = d.page ? onPage(d.control, d.page) : d.control->geometry();
            QVERIFY2(actual == d.rect, qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                                      .arg(QLatin1StringView(d.what))
                                                      .arg(actual.x())
                                                      .arg(actual.y())
                                                      .arg(actual.width())
                                                      .arg(actual.height())));
        }
        QCOMPARE(onPage(w->lblLine, w->TabItem1).topLeft(), QPoint(277, 9));
        QCOMPARE(w->lblLine->text(), "1");
        QCOMPARE(w->keys.size(), size_t(80));
        for (QPushButton* key : w->keys)
            QCOMPARE(key->parentWidget(), w->pnlKeys);
        QCOMPARE(w->edtOpenmsxdir->width(), 368);
        QVERIFY(w->Label4->font().bold());
        QVERIFY(!w->chkGfx9000->isVisibleTo(w->TabItem4));
        QVERIFY(!w->btExport->isVisibleTo(w->TabItem4));
        QCOMPARE(w->cmbLang->count(), 4);
        QCOMPARE(w->cmbColor->count(), 18);
        QCOMPARE(w->edtWidth->text(), "32");
        QCOMPARE(w->edtKeyHeight->text(), "30");
        QCOMPARE(w->edtCommand->text(), "26");
        QCOMPARE(w->lstSelect->width(), 277);
        QVERIFY(!w->pnlSelect->isVisible());

        // Buttons and keys never take the keyboard focus; edit fields and lists do.
        QCOMPARE(w->btRun->focusPolicy(), Qt::NoFocus);
        QCOMPARE(w->keys[0]->focusPolicy(), Qt::NoFocus);
        QCOMPARE(w->TabControl1->focusPolicy(), Qt::NoFocus);
        QVERIFY(w->edtFile->focusPolicy() & Qt::ClickFocus);
        QVERIFY(w->lstBasfiles->focusPolicy() & Qt::ClickFocus);
        QCOMPARE(QApplication::focusWidget(), w.get());

        // Quit closes the window, which saves.
        QTest::mouseClick(w->btQuit, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        const QString settings = settingsText(home);
        QVERIFY(settings.startsWith("exportdir=" + home.path() + "/.local/share/com.nesbox.tic/TIC-80\r\n"));
        QVERIFY(settings.endsWith("lang=0\r\n"));
        QVERIFY(!settings.contains("\ncode="));
        QCOMPARE(settings.count("\r\n"), 47);
        QCOMPARE(settings.count('\n'), 47);
        QCOMPARE(readBytes(home.workspace() + "temp.txt"), QByteArray("\r\nfunction TIC(){\r\n}\r\n\r\n"));
        QCOMPARE(readBytes(home.workspace() + "keywords.ini").count("\r\n"), 356);
    }

    void tabsShowTheirPage()
    {
        TempHome home;
        auto w = startWindow();
        w->TabControl1->setCurrentIndex(3);
        QVERIFY(w->TabItem4->isVisible());
        QVERIFY(!w->TabItem1->isVisible());
        QCOMPARE(QRect(w->TabItem4->geometry()), QRect(0, 49, 384, 518));
    }

    // Every step of the layout truncates, and Run still ends flush with the right edge.
    void pageWidth390()
    {
        TempHome home;
        auto w = startWindow();
        w->resize(390, 567);
        QCOMPARE(w->pageWidth, 390);
        QCOMPARE(w->btRun->geometry(), QRect(335, 0, 55, 43));
        QCOMPARE(w->stripHeight, 24);
        QCOMPARE(w->btGraAdd->x(), 49);
        QCOMPARE(w->btGraAdd->width(), 46);
    }

    void secondStartKeepsTheWorkspace()
    {
        TempHome home;
        startWindow()->close();
        QFile::remove(home.workspace() + "tempfiles/tm_yure");
        QString settings = settingsText(home);
        settings.replace("width=32", "width=40");
        QVERIFY(writeBytes(home.workspace() + "quill.ini", settings.toUtf8()));

        auto w = startWindow();
        QVERIFY(!QFile::exists(home.workspace() + "tempfiles/tm_yure"));
        QCOMPARE(w->settingsList.value(u"width"), "40");
        QCOMPARE(w->text.viewCols, 40);
    }

    // A settings file saved with a UTF-8 mark is read as UTF-8 and written back with it.
    void settingsFileKeepsItsMark()
    {
        TempHome home;
        startWindow()->close();
        const QByteArray bytes =
            "\xEF\xBB\xBF" + readBytes(home.workspace() + "quill.ini") + "own=\xE6\x9C\x88\r\n";
        QVERIFY(writeBytes(home.workspace() + "quill.ini", bytes));
        auto w = startWindow();
        QCOMPARE(w->settingsList.value(u"own"), QString::fromUtf8("\xE6\x9C\x88"));
        w->close();
        QCOMPARE(readBytes(home.workspace() + "quill.ini"), bytes);
    }

    void missingKeywordFileProvisionsAgain()
    {
        TempHome home;
        startWindow()->close();
        QString settings = settingsText(home);
        settings.replace("width=32", "width=40");
        QVERIFY(writeBytes(home.workspace() + "quill.ini", settings.toUtf8() + "own=1\r\n"));
        QFile::remove(home.workspace() + "keywords.ini");
        QFile::remove(home.workspace() + "tempfiles/tm_yure");

        auto w = startWindow();
        QCOMPARE(w->settingsList.value(u"width"), "32");
        QVERIFY(QFile::exists(home.workspace() + "tempfiles/tm_yure"));
        QVERIFY(QFile::exists(home.workspace() + "keywords.ini"));
        w->close();
        QVERIFY(!settingsText(home).contains("own=1"));
    }

    void codeAndNameSurviveARestart()
    {
        TempHome home;
        {
            auto w = startWindow();
            w->text.codeLines = {"print(1)", "x=2"};
            w->edtFile->setText("game.lua");
            w->close();
        }
        auto w = startWindow();
        QCOMPARE(w->text.codeLines, (QStringList{"print(1)", "x=2"}));
        QCOMPARE(w->edtFile->text(), "game.lua");
        QCOMPARE(QList<int>({w->text.cursorRow, w->text.cursorCol, w->text.topRow, w->text.leftCol}),
                 QList<int>({0, 0, 0, 0}));
        w->edtFile->clear();
        w->close();
        QVERIFY(!settingsText(home).contains("code="));
        auto again = startWindow();
        QCOMPARE(again->edtFile->text(), "");
        QCOMPARE(again->text.codeLines, (QStringList{"print(1)", "x=2"}));
    }

    // The code buffer keeps its encoding: a file never changes its bytes by a restart.
    void codeBufferBytesSurvive_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBFx=\"\xE6\x9C\x88\"\r\n");
        QTest::newRow("not UTF-8") << QByteArray("s=\"caf\xE9\"\r\n\xFF\r\n");
        QTest::newRow("empty file") << QByteArray();
    }
    void codeBufferBytesSurvive()
    {
        QFETCH(QByteArray, bytes);
        TempHome home;
        startWindow()->close();
        QVERIFY(writeBytes(home.workspace() + "temp.txt", bytes));
        auto w = startWindow();
        QVERIFY(w->text.lineCount() >= 1);
        w->close();
        QCOMPARE(readBytes(home.workspace() + "temp.txt"), bytes.isEmpty() ? QByteArray("\r\n") : bytes);
    }

    // What a restart gives back is the code as it was closed, also where the bytes of the
    // code buffer alone could be read another way: the settings remember its encoding.
    void codeComesBackAsItWasClosed_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("remembered"); // the "codeencoding" line, or empty: none
        const QString bom = QStringLiteral("\uFEFF");
        QTest::newRow("Latin-1 beginning like a UTF-16 mark")
            << QStringList{QString::fromLatin1("\xFE\xFFprint(1)")} << int(TextEncoding::Latin1)
            << QByteArray("\xFE\xFFprint(1)\r\n") << "codeencoding=latin1";
        QTest::newRow("Latin-1 that reads as UTF-8")
            << QStringList{QString::fromLatin1("\xC3\xA9")} << int(TextEncoding::Latin1)
            << QByteArray("\xC3\xA9\r\n") << "codeencoding=latin1";
        QTest::newRow("UTF-8 beginning with U+FEFF")
            << QStringList{bom + "x"} << int(TextEncoding::Utf8) << QByteArray("\xEF\xBB\xBFx\r\n")
            << "codeencoding=utf8";
        QTest::newRow("UTF-16 LE with U+FEFF first")
            << QStringList{bom + "x"} << int(TextEncoding::Utf16LeBom)
            << QByteArray("\xFF\xFE\xFF\xFEx\0\r\0\n\0", 10) << "";
        QTest::newRow("Latin-1 that no longer fits: UTF-8")
            << QStringList{QString::fromUtf8("\xC3\xA9\xE2\x86\x92")} << int(TextEncoding::Latin1)
            << QByteArray("\xC3\xA9\xE2\x86\x92\r\n") << "";
        QTest::newRow("plain UTF-8") << QStringList{"x"} << int(TextEncoding::Utf8) << QByteArray("x\r\n")
                                     << "";
    }
    void codeComesBackAsItWasClosed()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, encoding);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, remembered);
        TempHome home;
        {
            auto w = startWindow();
            w->text.codeLines = lines;
            w->text.encoding = TextEncoding(encoding);
            w->edtFile->setText("game");
            w->close();
        }
        QCOMPARE(readBytes(home.workspace() + "temp.txt"), bytes);
        const QString settings = settingsText(home);
        QCOMPARE(settings.contains("\ncodeencoding="), !remembered.isEmpty());
        if (!remembered.isEmpty())
            QVERIFY(settings.contains("\n" + remembered + "\r\n"));
        QVERIFY(settings.endsWith("\ncode=game\r\n")); // the name is still the last line
        auto w = startWindow();
        QCOMPARE(w->text.codeLines, lines);
        w->close();
        QCOMPARE(readBytes(home.workspace() + "temp.txt"), bytes);
    }

    void unusableSettingsAreRepaired_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("repairedLine");
        QTest::newRow("sprite=abc") << "sprite=abc"
                                    << "sprite=16";
        QTest::newRow("width=0") << "width=0"
                                 << "width=32";
        QTest::newRow("keyheight=x") << "keyheight=x"
                                     << "keyheight=30";
        QTest::newRow("palette=99") << "palette=99"
                                    << "palette=17";
    }
    void unusableSettingsAreRepaired()
    {
        QFETCH(QString, line);
        QFETCH(QString, repairedLine);
        TempHome home;
        startWindow()->close();
        const QString key = line.section('=', 0, 0);
        QString settings = settingsText(home);
        settings.replace(QRegularExpression("(^|\n)" + key + "=[^\r]*"), "\\1" + line);
        QVERIFY(settings.contains(line));
        QVERIFY(writeBytes(home.workspace() + "quill.ini", settings.toUtf8()));

        MessageRecorder messages;
        auto w = startWindow(messages.sinks());
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages.first().contains('"' + key + '"') &&
                     messages.messages.first().contains('"' + line.section('=', 1) + '"'),
                 qPrintable(messages.messages.first()));
        QCOMPARE(w->text.viewCols, 32);
        QCOMPARE(w->keyHeight, 30);
        QCOMPARE(w->sheet.cellWidth, 16);
        w->close();
        QVERIFY(settingsText(home).contains(repairedLine + "\r\n"));
    }

    // A settings file of garbage starts with the repair message and a whole keyboard.
    void garbageSettingsGiveTheDefaultKeyboard()
    {
        TempHome home;
        startWindow()->close();
        QRandomGenerator random(11);
        QByteArray garbage(4096, '\0');
        for (char& c : garbage)
            c = char(random.bounded(256));
        QVERIFY(writeBytes(home.workspace() + "quill.ini", garbage));

        MessageRecorder messages;
        auto w = startWindow(messages.sinks());
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages.first().contains("\"BtnKey11\"") &&
                     messages.messages.first().contains("\"BtnKey28\"") &&
                     messages.messages.first().contains("\"width\""),
                 qPrintable(messages.messages.first()));
        for (const char* caption : {"1", "q", "m", "Sh", "Rt", "Bs", "<-", "Tm"})
            QVERIFY2(keyWithCaption(*w, caption), caption);
        clickKeys(*w, {"Sh"});
        for (const char* caption : {"Sl", "Ld", "Fi", "Un", "Q"})
            QVERIFY2(keyWithCaption(*w, caption), caption);
        w->close();
        QVERIFY(settingsText(home).contains("BtnKey11=1234567890\r\n"));
        QVERIFY(settingsText(home).contains("BtnKey28=SHEI OKLDR\r\n"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
