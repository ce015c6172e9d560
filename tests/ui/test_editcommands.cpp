// SPDX-License-Identifier: MIT
// The editing commands as a user reaches them: the shifted page of the on-screen keys,
// the hardware shortcuts, the selection list and the platform clipboard.

#include "core/app/textfile.h"
#include "ui/editor/selectlist.h"
#include "uisupport.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Types plain characters on page 1, one key each.
void typeKeys(TfrmMain& w, const QString& s)
{
    for (QChar c : s)
        clickKeys(w, {c == u'&' ? QStringLiteral("&&") : QString(c)});
}

void setCode(TfrmMain& w, const QString& drawn)
{
    w.text.codeLines = drawn.split(u'\n');
    resetCursor(w.text);
    for (int row = 0; row < w.text.lineCount(); ++row)
        if (const qsizetype col = w.text.codeLines[row].indexOf(u'|'); col >= 0) {
            w.text.cursorRow = row;
            w.text.cursorCol = int(col);
            w.text.codeLines[row].remove(col, 1);
        }
    takeLineBackup(w.text);
}

QStringList listItems(const TfrmMain& w)
{
    QStringList out;
    for (int i = 0; i < w.lstSelect->count(); ++i)
        out << w.lstSelect->text(i);
    return out;
}

void pickItem(TfrmMain& w, const QString& text)
{
    const int row = int(listItems(w).indexOf(text));
    QVERIFY2(row >= 0, qPrintable("no item " + text));
    QTest::mouseClick(w.lstSelect->viewport(), Qt::LeftButton, {}, w.lstSelect->rowRect(row).center());
}

void ctrl(TfrmMain& w, Qt::Key key)
{
    QTest::keyClick(&w, key, Qt::ControlModifier);
}

} // namespace

class TestEditCommands : public QObject {
    Q_OBJECT

private slots:
    void shiftedPageSequences_data();
    void shiftedPageSequences();
    void jumpToTypedLineNumber();
    void hardwareShortcuts();
    void keywordList();
    void templateList();
    void functionJumpAndClose();
    void clipboardIsSharedWithOtherPrograms();
    void windowToggle();
    void aCharacterOutsideSixteenBitsStaysWhole_data();
    void aCharacterOutsideSixteenBitsStaysWhole();
};

void TestEditCommands::shiftedPageSequences_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");       // characters typed on page 1 first
    QTest::addColumn<QStringList>("shifted"); // then these keys on page 2
    QTest::addColumn<QString>("after");
    QTest::newRow("Ly on x=x+1") << "|\nq"
                                 << "x=x+1" << QStringList{"Ly"} << "x=x+1\ny=y+1|\nq";
    QTest::newRow("Lz on x=x+1") << "|\nq"
                                 << "x=x+1" << QStringList{"Lz"} << "x=x+1\ny=y+1\nz=z+1|\nq";
    QTest::newRow("Fi with {foo}") << "foo |\nbar\nx foo"
                                   << "{foo}" << QStringList{"Fi"} << "foo \nbar\nx |foo";
    QTest::newRow("Rp with {a}b on a+a") << "a+a|"
                                         << "{a}b" << QStringList{"Rp"} << "|b+b";
    QTest::newRow("Ld on the last line") << "ab\ncd|"
                                         << "" << QStringList{"Ld"} << "|ab";
    QTest::newRow("Sl Cp across three lines, Ps below")
        << "|l1\nline2\nl3\nz"
        << "" << QStringList{"Sl", "vv", "vv", "En", "Cp", "Sh", "Ft", "Ps"}
        << "l1\nline2\nl3\nz\nl1\nline2\nl3|";
    QTest::newRow("Sl Ct across three lines") << "a|b1\nline2\nc3d"
                                              << "" << QStringList{"Sl", "vv", "vv", "Ct"} << "a|d";
    QTest::newRow("Cp Ps of one line part") << "|abcdef"
                                            << "" << QStringList{"Sl", "->", "Cp", "Sh", "Ps"} << "aab|bcdef";
    QTest::newRow("Un twice") << "hello\n|"
                              << "abc" << QStringList{"Un"} << "hello\n|";
}

void TestEditCommands::shiftedPageSequences()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QStringList, shifted);
    QFETCH(QString, after);
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, before);
    typeKeys(*w, typed);
    clickKeys(*w, {"Sh"});
    clickKeys(*w, shifted);
    QCOMPARE(dump(*w), after);
    QCOMPARE(w->lblLine->text(), QString::number(w->text.cursorRow + 1));
    if (shifted.last() == "Un") {
        clickKeys(*w, {"Un"});
        QCOMPARE(dump(*w), QString("hello\nabc|"));
    }
}

void TestEditCommands::jumpToTypedLineNumber()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QString("line %1").arg(i);
    setCode(*w, "abc|\n" + lines.join(u'\n'));
    typeKeys(*w, "12");
    clickKeys(*w, {"Sh", "Jn"});
    QCOMPARE(w->text.cursorRow, 11);
    QCOMPARE(w->text.cursorCol, 3);
    QCOMPARE(w->text.codeLines[0], QString("abc"));
    QCOMPARE(w->lblLine->text(), QString("12"));
    QVERIFY(!w->shiftOn);
    QCOMPARE(w->keys[0]->text(), QString("1"));
}

void TestEditCommands::hardwareShortcuts()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, "|abc\nfoo\nx foo");
    w->setFocus();
    ctrl(*w, Qt::Key_B); // Sl
    QTest::keyClick(w.get(), Qt::Key_Right);
    ctrl(*w, Qt::Key_C); // Cp: "ab"
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("ab\r\n"));
    QTest::keyClick(w.get(), Qt::Key_End);
    ctrl(*w, Qt::Key_V); // Ps
    QCOMPARE(dump(*w), QString("abcab|\nfoo\nx foo"));
    QTest::keyClicks(w.get(), "{foo}");
    ctrl(*w, Qt::Key_F); // Fi
    QCOMPARE(dump(*w), QString("abcab\n|foo\nx foo"));
    ctrl(*w, Qt::Key_L); // Fn
    QCOMPARE(dump(*w), QString("abcab\nfoo\nx |foo"));
    QTest::keyClick(w.get(), Qt::Key_Home);
    QTest::keyClicks(w.get(), "{x}y");
    ctrl(*w, Qt::Key_R); // Rp
    QCOMPARE(dump(*w), QString("abcab\nfoo\n|y foo"));
    ctrl(*w, Qt::Key_B);
    QTest::keyClick(w.get(), Qt::Key_Right);
    ctrl(*w, Qt::Key_X); // Ct
    QCOMPARE(dump(*w), QString("abcab\nfoo\n|foo"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("y \r\n"));
    ctrl(*w, Qt::Key_J); // Jp: nothing to list
    QVERIFY(!w->pnlSelect->isVisible());
    ctrl(*w, Qt::Key_T); // Tm: the template list
    QVERIFY(w->pnlSelect->isVisible());
    QCOMPARE(w->commands.selectMode, SelectMode::Template);
    QTest::mouseClick(w->btnSelCancel, Qt::LeftButton);
    QVERIFY(!w->pnlSelect->isVisible());
    QCOMPARE(dump(*w), QString("abcab\nfoo\n|foo"));
}

void TestEditCommands::keywordList()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, "|");
    typeKeys(*w, "circ");
    clickKeys(*w, {"Ky"});
    QVERIFY(w->pnlSelect->isVisible());
    QCOMPARE(listItems(*w), (QStringList{"circ(", "circb(", "circle("}));
    QCOMPARE(w->lstSelect->currentRow(), -1);
    pickItem(*w, "circb(");
    QVERIFY(!w->pnlSelect->isVisible());
    QCOMPARE(dump(*w), QString("circb(|"));
    typeKeys(*w, " abs");
    clickKeys(*w, {"Ky"});
    QVERIFY(!w->pnlSelect->isVisible());
    QCOMPARE(dump(*w), QString("circb( abs(|"));
    // Hardware typing goes to the code again after a pick.
    QTest::keyClick(w.get(), 'q');
    QCOMPARE(dump(*w), QString("circb( abs(q|"));
    // "Jp" without functions empties an open list instead of leaving stale keywords to pick.
    typeKeys(*w, " circ");
    clickKeys(*w, {"Ky", "Sh", "Jp"});
    QVERIFY(w->pnlSelect->isVisible());
    QCOMPARE(listItems(*w), QStringList{});
}

void TestEditCommands::templateList()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, "|\nend");
    typeKeys(*w, "tm_");
    clickKeys(*w, {"Tm"});
    QCOMPARE(listItems(*w),
             (QStringList{"tm_border", "tm_chk", "tm_out", "tm_switch", "tm_temp", "tm_yure"}));
    pickItem(*w, "tm_temp");
    const auto file = readTextFile(w->workspace.templatesDir + "tm_temp");
    QVERIFY2(file, qPrintable(file.message()));
    QVERIFY(file->lines.size() > 1);
    QCOMPARE(w->text.codeLines, QStringList{""} + file->lines + QStringList{"end"});
    QCOMPARE(w->text.cursorRow, int(file->lines.size()));
    QCOMPARE(w->text.cursorCol, int(file->lines.last().size()));
    QCOMPARE(w->lblLine->text(), QString::number(file->lines.size() + 1));
    QVERIFY(messages.messages.isEmpty());
}

void TestEditCommands::functionJumpAndClose()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, "fn sprite($x,$y,$d){\n  a\n}\nfunction TIC(){\n  b|\n}");
    clickKeys(*w, {"Sh", "Jp"});
    QCOMPARE(listItems(*w), (QStringList{"sprite", "TIC"}));
    QTest::mouseClick(w->btnSelCancel, Qt::LeftButton);
    QVERIFY(!w->pnlSelect->isVisible());
    QCOMPARE(dump(*w), QString("fn sprite($x,$y,$d){\n  a\n}\nfunction TIC(){\n  b|\n}"));
    QVERIFY(w->shiftOn);
    clickKeys(*w, {"Jp"});
    pickItem(*w, "TIC");
    QCOMPARE(dump(*w), QString("fn sprite($x,$y,$d){\n  a\n}\n|function TIC(){\n  b\n}"));
    QCOMPARE(w->lblLine->text(), QString("4"));
    QVERIFY(!w->shiftOn);
    QCOMPARE(w->text.lineBackup, QString("function TIC(){"));
}

void TestEditCommands::clipboardIsSharedWithOtherPrograms()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, "|one\ntwo");
    QGuiApplication::clipboard()->setText("from elsewhere");
    clickKeys(*w, {"Sh", "Ps"});
    QCOMPARE(dump(*w), QString("from elsewhere|one\ntwo"));
    QGuiApplication::clipboard()->setText("A\r\nB\n");
    clickKeys(*w, {"Ps"});
    QCOMPARE(dump(*w), QString("from elsewhereone\nA\nB|\ntwo"));
    QGuiApplication::clipboard()->clear();
    const QString lineBefore = w->lblLine->text();
    clickKeys(*w, {"Ps"});
    QCOMPARE(dump(*w), QString("from elsewhereone\nA\nB|\ntwo"));
    QCOMPARE(w->lblLine->text(), lineBefore);
}

void TestEditCommands::windowToggle()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    // A resize of the window brings back page 1, so "Wn" is looked for on page 2 each time.
    const auto pressWn = [&] {
        if (!w->shiftOn)
            clickKeys(*w, {"Sh"});
        clickKeys(*w, {"Wn"});
    };
    pressWn();
    QVERIFY(w->windowState() & Qt::WindowMaximized);
    pressWn();
    QCOMPARE(w->windowState(), Qt::WindowNoState);
    w->setWindowState(Qt::WindowMinimized);
    pressWn();
    QCOMPARE(w->windowState(), Qt::WindowNoState);
}

// 😀 is F0 9F 98 80 in UTF-8 and two code units in the text: however it is typed, it goes in
// whole, and one Backspace takes it whole, so "ab" is what Save writes.
void TestEditCommands::aCharacterOutsideSixteenBitsStaysWhole_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("hardware key") << "hardware";
    QTest::newRow("on-screen key") << "on-screen";
    QTest::newRow("paste") << "paste";
    QTest::newRow("keyword pick") << "pick";
}
void TestEditCommands::aCharacterOutsideSixteenBitsStaysWhole()
{
    QFETCH(QString, way);
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, "|");
    QTest::keyClicks(w.get(), "ab");
    if (way == "hardware") {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, emoji);
        QApplication::sendEvent(w.get(), &press);
    } else if (way == "on-screen") {
        w->settingsList.setValue("BtnKey11", emoji + "234567890");
        w->captionPass(1);
        clickKeys(*w, {emoji});
    } else if (way == "paste") {
        QGuiApplication::clipboard()->setText(emoji);
        ctrl(*w, Qt::Key_V);
    } else {
        w->keywordList = QStringList{"ab" + emoji, "abc"};
        clickKeys(*w, {"Ky"});
        pickItem(*w, "ab" + emoji);
    }
    QCOMPARE(dump(*w), "ab" + emoji + "|");
    QTest::keyClick(w.get(), Qt::Key_Left);
    QCOMPARE(dump(*w), "ab|" + emoji);
    QTest::keyClick(w.get(), Qt::Key_Right);
    QTest::keyClick(w.get(), Qt::Key_Backspace);
    QCOMPARE(dump(*w), QString("ab|"));
    w->edtFile->setText("face");
    QTest::mouseClick(w->btTextSave, Qt::LeftButton);
    QCOMPARE(messages.messages, QStringList{"Saved."});
    QCOMPARE(readBytes(w->workspace.codeFilesDir + "face"), QByteArray("ab\r\n"));
}

QTEST_MAIN(TestEditCommands)
#include "test_editcommands.moc"
