// SPDX-License-Identifier: MIT
// The code editor as a user meets it: the on-screen keys, the hardware keyboard, the
// painted code view with taps and drags.

#include "ui/app/paintsurface.h"
#include "ui/editor/coderenderer.h"
#include "ui/editor/fontatlas.h"
#include "uisupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>

namespace {

QStringList captions(const TfrmMain& w)
{
    QStringList out;
    for (int row = 0; row < 8; ++row) {
        QStringList r;
        for (int col = 0; col < 10; ++col) {
            const QPushButton* k = w.keys[size_t(row * 10 + col)];
            r << (k->isVisible() ? (k->text().isEmpty() ? "-" : k->text()) : "#");
        }
        out << r.join(u' ');
    }
    return out;
}

void setCode(TfrmMain& w, const QStringList& lines)
{
    w.text.codeLines = lines;
    resetCursor(w.text);
}

} // namespace

class TestCodeEditor : public QObject {
    Q_OBJECT

private slots:
    void keysStandWhereDesigned();
    void shiftRecaptionsAndBack();
    void resizeBringsBackPageOne();
    void typingWithTheOnScreenKeys();
    void ampersandKeyShowsOneAndTypesOne();
    void holdingAKeyRepeats();
    void hardwareKeys_data();
    void hardwareKeys();
    void ctrlShortcutActsOncePerRealRelease();
    void editFieldKeepsItsKeysUntilATapOnTheCode();
    void typingAtStartGoesIntoTheCode();
    void textSurvivesQuitAndRestart();
    void grabShowsGlyphsCursorAndBlock();
    void asciiGlyphsKeepToTheLeftFiveColumns();
    void selectionHighlight_data();
    void selectionHighlight();
    void cellShowsItsAtlasCell_data();
    void cellShowsItsAtlasCell();
    void tapPlacesTheCursor_data();
    void tapPlacesTheCursor();
    void dragScrollsFromItsStartPoint();
    void tapAndUndoNeverSplitACharacter();
};

void TestCodeEditor::keysStandWhereDesigned()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    int visible = 0;
    for (QPushButton* k : w->keys)
        visible += k->isVisible();
    QCOMPARE(visible, 78);
    const auto windowRect = [&](const QPushButton* k) {
        return QRect(k->mapTo(w.get(), QPoint(0, 0)), k->size());
    };
    QCOMPARE(windowRect(w->keys[0]), QRect(0, 327, 36, 27));
    QCOMPARE(w->keys[0]->text(), QString("1"));
    QCOMPARE(windowRect(keyWithCaption(*w, "Rt")), QRect(9 * 38, 327 + 5 * 30, 36, 57));
    QCOMPARE(windowRect(keyWithCaption(*w, " ")), QRect(4 * 38, 327 + 7 * 30, 74, 27));
    QVERIFY(!w->keys[75]->isVisible()); // under the space key
    QVERIFY(!w->keys[69]->isVisible()); // under "Rt"
    QVERIFY(messages.messages.isEmpty());
}

void TestCodeEditor::shiftRecaptionsAndBack()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QStringList page1 = captions(*w);
    QCOMPARE(page1, (QStringList{
                        "1 2 3 4 5 6 7 8 9 0",
                        "! \" # $ % && ' ( ) Bs",
                        "@ { } _ ; : + - * =",
                        ", . / \\ < > ? [ ] |",
                        "q w e r t y u i o p",
                        "a s d f g h j k l Rt",
                        "z x c v b n m Dl ^^ #",
                        "Sh Hm En Tm   # Ky <- vv ->",
                    }));
    QTest::mouseClick(w->keys[70], Qt::LeftButton);
    QVERIFY(w->shiftOn);
    QCOMPARE(captions(*w), (QStringList{
                               "Sl Cp Ps Ct - Ld Lc Ly Lz Un",
                               "Fn Fi Rp Rn - Sp - - - Bs",
                               "- - - - - - - - - Wn",
                               "^ ~ ` - - - Jn Jp Hd Ft",
                               "Q W E R T Y U I O P",
                               "A S D F G H J K L Rt",
                               "Z X C V B N M Dl ^^ #",
                               "Sh Hm En Tm   # Ky <- vv ->",
                           }));
    QTest::mouseClick(w->keys[70], Qt::LeftButton);
    QVERIFY(!w->shiftOn);
    QCOMPARE(captions(*w), page1);
    QCOMPARE(dump(*w), QString("|\nfunction TIC(){\n}\n"));
}

void TestCodeEditor::resizeBringsBackPageOne()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    QTest::mouseClick(w->keys[70], Qt::LeftButton);
    QCOMPARE(w->keys[0]->text(), QString("Sl"));
    w->resize(400, 600);
    QVERIFY(!w->shiftOn);
    QCOMPARE(w->keys[0]->text(), QString("1"));
}

void TestCodeEditor::typingWithTheOnScreenKeys()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, {"  ab", "x"});
    w->text.cursorCol = 4;
    clickKeys(*w, {"Rt", "c", "d", "Rt", "Bs", "Bs", "Bs", "vv", "Hm", "Bs"});
    QCOMPARE(dump(*w), QString("  ab\n  cd|x"));
    QCOMPARE(w->lblLine->text(), QString("2"));
    QVERIFY(w->text.modified);
    // Shifted letters type upper case.
    clickKeys(*w, {"Sh", "Q", "Sh", "q"});
    QCOMPARE(dump(*w), QString("  ab\n  cdQq|x"));
}

void TestCodeEditor::ampersandKeyShowsOneAndTypesOne()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, {""});
    QPushButton* amp = w->keys[15];
    // Doubled, the caption shows one ampersand instead of marking a mnemonic.
    QCOMPARE(amp->text(), QString("&&"));
    QTest::mouseClick(amp, Qt::LeftButton);
    QCOMPARE(dump(*w), QString("&|"));
}

void TestCodeEditor::holdingAKeyRepeats()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, {""});
    // The toolkit repeats a held key's click itself; every key is set to repeat first after
    // 500 ms, then every 100 ms (the repeats themselves are not timed here).
    for (const QPushButton* key : w->keys)
        QCOMPARE((QList<int>{key->autoRepeat(), key->autoRepeatDelay(), key->autoRepeatInterval()}),
                 (QList<int>{true, 500, 100}));
    QPushButton* k = keyWithCaption(*w, "z");
    QTest::mousePress(k, Qt::LeftButton);
    QVERIFY(k->isDown());
    QTest::mouseRelease(k, Qt::LeftButton);
    QCOMPARE(w->text.codeLines[0], QString("z")); // a tap types once
    QVERIFY(!k->isDown());
}

void TestCodeEditor::hardwareKeys_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QList<int>>("keys");      // key codes pressed and released in order
    QTest::addColumn<QList<int>>("modifiers"); // one per key
    QTest::addColumn<QString>("after");
    const int none = Qt::NoModifier;
    QTest::newRow("a b") << "|" << QList<int>{'a', 'b'} << QList<int>{none, none} << "ab|";
    QTest::newRow("Shift+a") << "|" << QList<int>{'A'} << QList<int>{Qt::ShiftModifier} << "A|";
    QTest::newRow("Shift alone, F1") << "a|" << QList<int>{Qt::Key_Shift, Qt::Key_F1}
                                     << QList<int>{none, none} << "a|";
    QTest::newRow("& types one ampersand") << "|" << QList<int>{'&'} << QList<int>{Qt::ShiftModifier} << "&|";
    QTest::newRow("Ctrl+Home") << "ab\ncd|" << QList<int>{Qt::Key_Home} << QList<int>{Qt::ControlModifier}
                               << "ab\n|cd";
    QTest::newRow("Enter Backspace Delete")
        << "ab|cd" << QList<int>{Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete}
        << QList<int>{none, none, none} << "ab|d";
    QTest::newRow("arrows End Home") << "ab\ncd|" << QList<int>{Qt::Key_Up,   Qt::Key_Left, Qt::Key_End,
                                                                Qt::Key_Down, Qt::Key_Home, Qt::Key_Right}
                                     << QList<int>{none, none, none, none, none, none} << "ab\nc|d";
    QTest::newRow("Ctrl+A types nothing")
        << "a|" << QList<int>{'a'} << QList<int>{Qt::ControlModifier} << "a|";
    QTest::newRow("Ctrl+letter not in the map")
        << "a|" << QList<int>{'q'} << QList<int>{Qt::ControlModifier} << "a|";
}

void TestCodeEditor::hardwareKeys()
{
    QFETCH(QString, before);
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, modifiers);
    QFETCH(QString, after);
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QStringList lines = before.split(u'\n');
    setCode(*w, lines);
    w->text.cursorRow = int(lines.size()) - 1;
    w->text.cursorCol = int(lines.last().indexOf(u'|'));
    w->text.codeLines.last().remove(u'|');
    w->setFocus();
    for (int i = 0; i < keys.size(); ++i) {
        // Printable keys are given as the character they type.
        if (keys[i] < 128)
            QTest::keyClick(w.get(), char(keys[i]), Qt::KeyboardModifiers(modifiers[i]));
        else
            QTest::keyClick(w.get(), Qt::Key(keys[i]), Qt::KeyboardModifiers(modifiers[i]));
    }
    QCOMPARE(dump(*w), after);
}

void TestCodeEditor::ctrlShortcutActsOncePerRealRelease()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    w->setFocus();
    QVERIFY(!w->text.selecting);
    // Holding Ctrl+B: the system's auto-repeat sends release and press pairs while the key is
    // down; only the final release toggles the selection mode.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_B, Qt::ControlModifier, QString(), true);
        QApplication::sendEvent(w.get(), &release);
    }
    QVERIFY(!w->text.selecting);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_B, Qt::ControlModifier);
    QApplication::sendEvent(w.get(), &release);
    QVERIFY(w->text.selecting);
}

void TestCodeEditor::editFieldKeepsItsKeysUntilATapOnTheCode()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    w->activateWindow();
    setCode(*w, {""});
    w->edtFile->setFocus();
    QTest::keyClicks(w->edtFile, "name");
    QTest::keyClick(w->edtFile, Qt::Key_Left);
    QTest::keyClick(w->edtFile, Qt::Key_Home);
    QCOMPARE(w->edtFile->text(), QString("name"));
    QCOMPARE(dump(*w), QString("|"));
    QTest::mouseClick(w->pntProg, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::keyClicks(w->focusWidget() ? w->focusWidget() : w.get(), "x");
    QCOMPARE(dump(*w), QString("x|"));
    QCOMPARE(w->edtFile->text(), QString("name"));
}

void TestCodeEditor::typingAtStartGoesIntoTheCode()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    setCode(*w, {""});
    QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), "ab");
    QCOMPARE(dump(*w), QString("ab|"));
    QCOMPARE(w->edtFile->text(), QString());
}

void TestCodeEditor::textSurvivesQuitAndRestart()
{
    TempHome home;
    MessageRecorder messages;
    {
        auto w = startWindow(messages.sinks());
        setCode(*w, {""});
        clickKeys(*w, {"h", "i", "Rt", "&&"});
        QTest::mouseClick(w->btQuit, Qt::LeftButton);
    }
    auto w = startWindow(messages.sinks());
    QCOMPARE(dump(*w), QString("|hi\n&"));
    QVERIFY(messages.messages.isEmpty());
}

void TestCodeEditor::grabShowsGlyphsCursorAndBlock()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, {"A", "AA"});
    w->text.cursorRow = 1;
    w->text.cursorCol = 1;
    w->repaintCode();
    const QImage img = w->pntProg->grab().toImage();
    const int c = w->text.cellSize;
    QCOMPARE(c, 384 / 32);
    // The screen pixel in the middle of font pixel (x, y) of a cell.
    const auto at = [&](int col, int row, int x, int y) {
        return qGray(img.pixel(col * c + (2 * x + 1) * c / 16, row * c + (2 * y + 1) * c / 16));
    };
    const auto& a = fontGlyphs['A'];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool set = (a[size_t(y)] >> (7 - x)) & 1;
            QCOMPARE(at(0, 0, x, y), set ? 247 : 6); // near-white on black
            QCOMPARE(at(1, 1, x, y), set ? 8 : 249); // the cursor cell, inverted
        }
    QCOMPARE(at(2, 1, 3, 3), 0); // past the end of line 2, the cursor being inside it
    QCOMPARE(at(1, 0, 3, 3), 0); // right of line 1: background
    QCOMPARE(qGray(img.pixel(img.width() - 1, img.height() - 1)), 0);
    // The cursor after the last character is a solid block.
    w->text.cursorCol = 2;
    w->repaintCode();
    const QImage img2 = w->pntProg->grab().toImage();
    for (int y = 0; y < c; ++y)
        for (int x = 0; x < c; ++x)
            QCOMPARE(qGray(img2.pixel(2 * c + x, c + y)), 249);
}

void TestCodeEditor::asciiGlyphsKeepToTheLeftFiveColumns()
{
    // Read the glyphs back from the atlas the view paints from, not from the table.
    const QImage fonts = buildFontAtlas();
    const auto row = [&](int code, int y) {
        int bits = 0;
        for (int x = 0; x < 8; ++x) {
            const int upper = qGray(fonts.pixel(code % 16 * 10 + 1 + x, code / 16 * 10 + 1 + y));
            const int lower = qGray(fonts.pixel(code % 16 * 10 + 1 + x, 80 + code / 16 * 10 + 1 + y));
            if (upper == 247 && lower == 8)
                bits |= 0x80 >> x;
            else if (upper != 6 || lower != 249)
                return -1;
        }
        return bits;
    };
    QList<int> a;
    for (int y = 0; y < 8; ++y)
        a << row('A', y);
    QCOMPARE(a, (QList<int>{0x20, 0x50, 0x88, 0x88, 0xF8, 0x88, 0x88, 0x00}));
    QString rightColumnsUsed;
    QString bottomRowUsed;
    for (int code = 32; code < 127; ++code) {
        for (int y = 0; y < 8; ++y)
            if (row(code, y) & 0x07) {
                rightColumnsUsed += QChar(code);
                break;
            }
        if (row(code, 7) != 0)
            bottomRowUsed += QChar(code);
    }
    QCOMPARE(rightColumnsUsed, QString());       // three blank columns between neighbours
    QCOMPARE(bottomRowUsed, QString(",;gjpqy")); // only descenders reach the bottom row
}

void TestCodeEditor::selectionHighlight_data()
{
    QTest::addColumn<QPoint>("mark"); // column, row
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QStringList>("inverted"); // per line: "#" an inverted cell, "." a plain one
    // Lines of 5, 4, 6, 0 and 3 characters.
    QTest::newRow("mark 2:3, cursor 4:1")
        << QPoint(3, 2) << QPoint(1, 4) << QStringList{".....", "....", "...###", "", "##."};
    QTest::newRow("mark after the cursor")
        << QPoint(4, 2) << QPoint(1, 2) << QStringList{".....", "....", ".#....", "", "..."};
    QTest::newRow("same line") << QPoint(1, 0) << QPoint(3, 0)
                               << QStringList{".###.", "....", "......", "", "..."};
}

void TestCodeEditor::selectionHighlight()
{
    QFETCH(QPoint, mark);
    QFETCH(QPoint, cursor);
    QFETCH(QStringList, inverted);
    TextModel t;
    t.codeLines = QStringList{"abcde", "fghi", "jklmno", "", "pqr"};
    t.cellSize = 8;
    t.viewRows = 5;
    t.viewCols = 10;
    t.selecting = true;
    t.markCol = mark.x();
    t.markRow = mark.y();
    t.cursorCol = cursor.x();
    t.cursorRow = cursor.y();
    const QImage fonts = buildFontAtlas();
    QImage img(80, 40, QImage::Format_RGB32);
    QPainter p(&img);
    paintCode(p, t, fonts, img.size());
    p.end();
    QStringList got;
    for (int row = 0; row < 5; ++row) {
        QString line;
        // The bottom-right font pixel is blank in these letters: 6 plain, 249 inverted.
        for (int col = 0; col < t.codeLines[row].size(); ++col)
            line += qGray(img.pixel(col * 8 + 7, row * 8 + 7)) > 128 ? u'#' : u'.';
        got << line;
    }
    QCOMPARE(got, inverted);
}

void TestCodeEditor::cellShowsItsAtlasCell_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("underCursor");
    QTest::addColumn<QPoint>("source"); // column, row; (-1, -1): the cell stays black
    QTest::newRow("A") << 65 << false << QPoint(1, 4);
    QTest::newRow("A under the cursor") << 65 << true << QPoint(1, 12);
    QTest::newRow("tab") << 9 << false << QPoint(9, 0);
    QTest::newRow("A + 128: the inverted A") << 193 << false << QPoint(1, 12);
    QTest::newRow("A + 128 under the cursor") << 193 << true << QPoint(-1, -1);
    QTest::newRow("255: the solid block") << 255 << false << QPoint(15, 15);
    QTest::newRow("A + 256") << 321 << false << QPoint(-1, -1);
    QTest::newRow("A + 256 under the cursor") << 321 << true << QPoint(-1, -1);
}

void TestCodeEditor::cellShowsItsAtlasCell()
{
    QFETCH(int, code);
    QFETCH(bool, underCursor);
    QFETCH(QPoint, source);
    TextModel t;
    t.codeLines = QStringList{QString(QChar(code)) + u'x', QString()};
    t.cellSize = 8; // one screen pixel per font pixel
    t.viewRows = 2;
    t.viewCols = 4;
    t.cursorRow = underCursor ? 0 : 1;
    const QImage fonts = buildFontAtlas();
    QImage img(32, 16, QImage::Format_RGB32);
    img.fill(Qt::red);
    QPainter p(&img);
    paintCode(p, t, fonts, img.size());
    p.end();
    QImage expected(8, 8, QImage::Format_RGB32);
    expected.fill(Qt::black);
    if (source.x() >= 0)
        expected =
            fonts.copy(source.x() * 10 + 1, source.y() * 10 + 1, 8, 8).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(img.copy(0, 0, 8, 8), expected);
}

void TestCodeEditor::tapPlacesTheCursor_data()
{
    QTest::addColumn<double>("cellX");
    QTest::addColumn<double>("cellY");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("x 2.9 cells") << 2.9 << 0.5 << 0 << 2;
    QTest::newRow("right of a 5-char line") << 20.0 << 0.5 << 0 << 4;
    QTest::newRow("below the last line") << 1.5 << 9.0 << 2 << 1;
    QTest::newRow("empty line") << 3.5 << 1.5 << 1 << 0;
}

void TestCodeEditor::tapPlacesTheCursor()
{
    QFETCH(double, cellX);
    QFETCH(double, cellY);
    QFETCH(int, row);
    QFETCH(int, col);
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, {"abcde", "", "xy"});
    w->text.lineBackupCol = 7;
    const int c = w->text.cellSize;
    QTest::mouseClick(w->pntProg, Qt::LeftButton, {}, QPoint(int(cellX * c), int(cellY * c)));
    QCOMPARE(w->text.cursorRow, row);
    QCOMPARE(w->text.cursorCol, col);
    QCOMPARE(w->lblLine->text(), QString::number(row + 1));
    QVERIFY(!w->text.modified);
    QCOMPARE(w->text.lineBackup, row == 0 ? QString() : w->text.codeLines[row]);
    QCOMPARE(w->text.lineBackupCol, 7);
}

void TestCodeEditor::dragScrollsFromItsStartPoint()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    setCode(*w, QStringList(50, "x"));
    const int c = w->text.cellSize;
    const QPoint start(100, 100);
    QTest::mousePress(w->pntProg, Qt::LeftButton, {}, start);
    w->text.leftCol = 3;
    const auto move = [&](QPoint p) {
        QMouseEvent e(QEvent::MouseMove, p, w->pntProg->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(w->pntProg, &e);
    };
    move(start); // the first move only records
    QCOMPARE(w->text.leftCol, 3);
    move(start - QPoint(c / 2, 0));
    QCOMPARE(w->text.leftCol, 3); // half a cell left: 3.5 truncates to 3
    move(start + QPoint(c / 2, 0));
    QCOMPARE(w->text.leftCol, 2);
    move(start + QPoint(c / 2, 0));
    QCOMPARE(w->text.leftCol, 1);
    move(start - QPoint(0, 3 * c));
    QCOMPARE(w->text.topRow, 3);
    move(start - QPoint(0, 3 * c));
    QCOMPARE(w->text.topRow, 6);
    QTest::mouseRelease(w->pntProg, Qt::LeftButton, {}, start);
    QVERIFY(!w->drag.active);
}

// A tap on the second cell of 😀 (two code units, two cells) puts the cursor before it, and
// "Un" with the column a tap left behind does too.
void TestCodeEditor::tapAndUndoNeverSplitACharacter()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    setCode(*w, {"abc", "x" + emoji});
    w->text.lineBackupCol = 2;
    const int c = w->text.cellSize;
    QTest::mouseClick(w->pntProg, Qt::LeftButton, {}, QPoint(2 * c + c / 2, c + c / 2));
    QCOMPARE(dump(*w), "abc\nx|" + emoji);
    clickKeys(*w, {"Sh", "Un"});
    QCOMPARE(dump(*w), "abc\nx|" + emoji);
}

QTEST_MAIN(TestCodeEditor)
#include "test_codeeditor.moc"
