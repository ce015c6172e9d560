// SPDX-License-Identifier: MIT
// Seeded random walks over the real widgets of the Code and Sprite pages: thousands of
// steps of every on-screen key, typed characters, hardware keys and shortcuts, taps, drags
// and list picks on the code view; every tool and cell button, canvas, strip and preview
// presses, New and undo on the sprite page. The state is checked after every step, and a
// failure names the seed and the step, which ZENKODO_WALK_SEED replays alone.

#include "core/sprite/celloperations.h"
#include "core/sprite/spritetools.h"
#include "spritechecks.h"
#include "textchecks.h"
#include "ui/editor/coderenderer.h"
#include "ui/editor/selectlist.h"
#include "uisupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTest>

namespace {

// The seeds a run walks: the table's, or the one in ZENKODO_WALK_SEED (with
// ZENKODO_WALK_STEPS steps) to replay or explore.
void addWalkRows(int steps)
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZENKODO_WALK_SEED").toUInt(&ok);
    const int envSteps = qEnvironmentVariableIntValue("ZENKODO_WALK_STEPS");
    if (ok) {
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed)))
            << seed << (envSteps > 0 ? envSteps : steps);
        return;
    }
    for (const quint32 s : {1u, 2u, 3u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(s))) << s << steps;
}

// The last steps of a walk, shown with a failure.
class StepLog {
public:
    void add(int step, const QString& what)
    {
        recent.append(QStringLiteral("%1: %2").arg(step).arg(what));
        if (recent.size() > 12)
            recent.removeFirst();
    }
    QString failure(quint32 seed, int step, const QString& problem) const
    {
        return QStringLiteral("seed %1, step %2: %3\nreplay: ZENKODO_WALK_SEED=%1 "
                              "ZENKODO_WALK_STEPS=%4\nlast steps:\n%5")
            .arg(seed)
            .arg(step)
            .arg(problem)
            .arg(step + 1)
            .arg(recent.join(u'\n'));
    }

private:
    QStringList recent;
};

QPoint randomPointIn(QRandomGenerator& rng, const QWidget* widget, int margin = 0)
{
    return {int(rng.bounded(widget->width() + 2 * margin)) - margin,
            int(rng.bounded(widget->height() + 2 * margin)) - margin};
}

void moveWithButton(QWidget* widget, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, p, widget->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &e);
}

// A key typed on a hardware keyboard that has no special meaning: its text is the caption.
void typeText(QWidget* window, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(window, &release);
}

template <typename T> const T& pick(QRandomGenerator& rng, const QList<T>& items)
{
    return items[qsizetype(rng.bounded(quint32(items.size())))];
}

// What the code page shows must agree with the text model: the line label (New leaves it
// as it was until the next command or tap), and a paint of the view that reads only what
// is there.
QString codePageProblem(TfrmMain& w, bool labelCurrent)
{
    if (labelCurrent && w.lblLine->text() != QString::number(w.text.cursorRow + 1))
        return QStringLiteral("line label %1 for row %2").arg(w.lblLine->text()).arg(w.text.cursorRow);
    QImage image(w.pntProg->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    paintCode(painter, w.text, w.imgFonts, w.pntProg->size());
    return {};
}

} // namespace

class TestRandomWalks : public QObject {
    Q_OBJECT

private slots:
    void codeEditorWalk_data() { addWalkRows(2500); }
    void codeEditorWalk();
    void spritePageWalk_data() { addWalkRows(2500); }
    void spritePageWalk();
};

void TestRandomWalks::codeEditorWalk()
{
    QFETCH(quint32, seed);
    QFETCH(int, steps);
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QRandomGenerator rng(seed);
    StepLog log;

    // Random text to start from, in a random encoding, as if read from a file.
    QString start;
    for (int i = int(rng.bounded(300)); i > 0; --i)
        start += rng.bounded(12) == 0 ? QStringLiteral("\n") : pick(rng, randomCharacters);
    w->text.codeLines = splitLines(start);
    if (w->text.codeLines.isEmpty())
        w->text.codeLines.append(QString());
    w->text.encoding = randomEncodings[rng.bounded(quint32(randomEncodings.size()))];
    resetCursor(w->text);
    QGuiApplication::clipboard()->setText(QStringLiteral("a\r\nb"));

    const QList<int> specialKeys = {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_End,   Qt::Key_Home,
                                    Qt::Key_Left,      Qt::Key_Up,     Qt::Key_Right, Qt::Key_Down,
                                    Qt::Key_Insert,    Qt::Key_Delete};
    const QList<int> shortcutKeys = {Qt::Key_T, Qt::Key_B, Qt::Key_S, Qt::Key_J, Qt::Key_C, Qt::Key_V,
                                     Qt::Key_X, Qt::Key_F, Qt::Key_L, Qt::Key_R, Qt::Key_A};
    bool cursorInView = true; // a drag and a resize may leave the cursor outside the view
    bool labelCurrent = true;
    for (int step = 0; step < steps; ++step) {
        const quint32 kind = rng.bounded(100);
        QString what;
        if (kind < 55) {
            QList<QPushButton*> visible;
            for (QPushButton* k : w->keys)
                if (k->isVisible())
                    visible.append(k);
            QPushButton* key = pick(rng, visible);
            what = QStringLiteral("key \"%1\"").arg(key->text());
            // A resize, or a paste of nothing, skips the scroll to the cursor.
            if (key->text() == u"Wn")
                cursorInView = false;
            else if (key->text() != u"Ps")
                cursorInView = true;
            QTest::mouseClick(key, Qt::LeftButton);
            labelCurrent = true;
        } else if (kind < 65) {
            QString typed = pick(rng, randomCharacters);
            if (rng.bounded(4) == 0)
                typed += pick(rng, randomCharacters);
            what = QStringLiteral("typed %1").arg(spelledOut({typed}));
            if (w->keysGoToCode() && typed.front().unicode() >= 32 && typed.front().unicode() != 127)
                cursorInView = true;
            typeText(w.get(), typed);
        } else if (kind < 72) {
            const int key = pick(rng, specialKeys);
            what = QStringLiteral("hardware key %1").arg(QKeySequence(key).toString());
            if (w->keysGoToCode())
                cursorInView = true;
            QTest::keyClick(w.get(), Qt::Key(key));
        } else if (kind < 76) {
            const int key = pick(rng, shortcutKeys);
            what = QStringLiteral("Ctrl+%1").arg(QKeySequence(key).toString());
            if (w->keysGoToCode() && key != Qt::Key_V)
                cursorInView = true;
            QTest::keyClick(w.get(), Qt::Key(key), Qt::ControlModifier);
        } else if (kind < 86) {
            const QPoint p = randomPointIn(rng, w->pntProg);
            what = QStringLiteral("tap at %1,%2").arg(p.x()).arg(p.y());
            cursorInView = true;
            labelCurrent = true;
            QTest::mouseClick(w->pntProg, Qt::LeftButton, {}, p);
        } else if (kind < 92) {
            const QPoint from = randomPointIn(rng, w->pntProg);
            QTest::mousePress(w->pntProg, Qt::LeftButton, {}, from);
            labelCurrent = true;
            QStringList path;
            for (int moves = 1 + int(rng.bounded(4)); moves > 0; --moves) {
                const QPoint p = randomPointIn(rng, w->pntProg, 40);
                path.append(QStringLiteral("%1,%2").arg(p.x()).arg(p.y()));
                moveWithButton(w->pntProg, p);
            }
            QTest::mouseRelease(w->pntProg, Qt::LeftButton, {}, from);
            what = QStringLiteral("drag from %1,%2 over %3").arg(from.x()).arg(from.y()).arg(path.join(u' '));
            cursorInView = false;
        } else if (kind < 95) {
            QGuiApplication::clipboard()->setText(pick(rng, randomCharacters) + QStringLiteral("\r\n") +
                                                  pick(rng, randomCharacters));
            what = QStringLiteral("clipboard set from outside");
        } else if (w->pnlSelect->isVisible()) {
            if (w->lstSelect->count() > 0 && rng.bounded(3) != 0) {
                const int row = int(rng.bounded(quint32(w->lstSelect->count())));
                w->lstSelect->scrollToRow(row);
                what = QStringLiteral("pick \"%1\"").arg(w->lstSelect->text(row));
                cursorInView = true;
                QTest::mouseClick(w->lstSelect->viewport(), Qt::LeftButton, {},
                                  w->lstSelect->rowRect(row).center());
            } else {
                what = QStringLiteral("list closed");
                QTest::mouseClick(w->btnSelCancel, Qt::LeftButton);
            }
        } else {
            what = QStringLiteral("save and reload");
            if (const QString problem = saveReloadProblem(w->text, w->workspace.codeFilesDir, "walk");
                keptByTextFileForm(w->text.codeLines, w->text.encoding) && !problem.isEmpty())
                QFAIL(qPrintable(log.failure(seed, step, problem)));
        }
        log.add(step, what);
        QString problem = textModelProblem(w->text, cursorInView);
        if (problem.isEmpty())
            problem = codePageProblem(*w, labelCurrent);
        if (!problem.isEmpty())
            QFAIL(qPrintable(log.failure(
                seed, step, problem + QStringLiteral("\ntext: ") + spelledOut(w->text.codeLines))));
        // Long walks grow the text without end (select all, copy, paste); a fresh start
        // keeps each step quick.
        if (w->text.lineCount() > 400 || w->text.cursorLine().size() > 2000) {
            log.add(step, QStringLiteral("New"));
            QTest::mouseClick(w->btTextNew, Qt::LeftButton);
            labelCurrent = false;
        }
    }

    // The walk's text through the real Save button and the file chooser.
    if (keptByTextFileForm(w->text.codeLines, w->text.encoding)) {
        const QStringList before = w->text.codeLines;
        messages.messages.clear();
        w->edtFile->setText(QStringLiteral("walked"));
        QTest::mouseClick(w->btTextSave, Qt::LeftButton);
        QCOMPARE(messages.messages, QStringList{"Saved."});
        QTest::mouseClick(w->btTextNew, Qt::LeftButton);
        QTest::mouseClick(w->btTextOpen, Qt::LeftButton);
        const QList<QListWidgetItem*> items = w->lstBasfiles->findItems("walked", Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        w->lstBasfiles->setCurrentItem(items.front());
        QTest::mouseClick(w->btTextOk, Qt::LeftButton);
        QCOMPARE(spelledOut(w->text.codeLines), spelledOut(before));
    }
}

void TestRandomWalks::spritePageWalk()
{
    QFETCH(quint32, seed);
    QFETCH(int, steps);
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    w->TabControl1->setCurrentIndex(1);
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QRandomGenerator rng(seed);
    StepLog log;

    // Every seed walks a sheet of another cell size, set as a user does on the System page.
    const int sizes[] = {16, 5, 1, 8, 32};
    const int cellSize = sizes[(seed + 4) % 5];
    if (cellSize != 16) {
        w->edtSpriteSize->setText(QString::number(cellSize));
        QTest::mouseClick(w->btApply, Qt::LeftButton);
        QCOMPARE(messages.messages, QStringList{"Done."});
        QCOMPARE(w->sheet.cellWidth, cellSize);
    }

    struct Button {
        QPushButton* button;
        bool snapshots; // takes the undo snapshot, so "Un" right after it puts the sheet back
    };
    const QList<Button> buttons = {
        {w->btGraAdd, true},    {w->btGraDel, true},     {w->btGraBack, false},   {w->btGraNext, false},
        {w->btGraCopy, false},  {w->btGraPaste, true},   {w->btGraPaint, false},  {w->btGraRotate, false},
        {w->btGraFlipV, false}, {w->btGraFlipH, false},  {w->btGraShiftU, false}, {w->btGraShiftR, false},
        {w->btGraShiftD, true}, {w->btGraShiftL, false}, {w->btGraNew, false},
    };
    for (int step = 0; step < steps; ++step) {
        const quint32 kind = rng.bounded(100);
        QString what;
        bool snapshots = false;
        const QByteArray before = spriteFileBytes(w->sheet);
        const int cellBefore = w->sheet.currentCell;
        if (kind < 45) {
            const Button& b = pick(rng, buttons);
            what = QStringLiteral("button \"%1\"").arg(b.button->text());
            // "Dl" on the last cell left takes no snapshot.
            snapshots = b.snapshots && !(b.button == w->btGraDel && w->sheet.cellCount == 1);
            QTest::mouseClick(b.button, Qt::LeftButton);
        } else if (kind < 80) {
            const QPoint p = randomPointIn(rng, w->pntMain, 10);
            snapshots = canvasPixelAt(w->sheet, p.x(), p.y()).has_value();
            QTest::mousePress(w->pntMain, Qt::LeftButton, {}, p);
            QStringList path;
            for (int moves = int(rng.bounded(4)); moves > 0; --moves) {
                const QPoint q = randomPointIn(rng, w->pntMain, 10);
                path.append(QStringLiteral("%1,%2").arg(q.x()).arg(q.y()));
                moveWithButton(w->pntMain, q);
            }
            QTest::mouseRelease(w->pntMain, Qt::LeftButton, {}, p);
            what = QStringLiteral("canvas press at %1,%2 %3 with colour %4, drag over %5")
                       .arg(p.x())
                       .arg(p.y())
                       .arg(penKindCaption(w->sheet.penKind))
                       .arg(w->sheet.currentColour)
                       .arg(path.join(u' '));
            // Only a press alone is undone whole: a drag draws after the snapshot.
            snapshots = snapshots && path.isEmpty();
        } else if (kind < 95) {
            const QPoint p = randomPointIn(rng, w->pntColor, 10);
            what = QStringLiteral("strip press at %1").arg(p.x());
            QTest::mouseClick(w->pntColor, Qt::LeftButton, {}, p);
        } else {
            what = QStringLiteral("preview press");
            QTest::mouseClick(w->pntView, Qt::LeftButton, {}, randomPointIn(rng, w->pntView));
        }
        log.add(step, what);
        QString problem = sheetProblem(w->sheet);
        if (problem.isEmpty() &&
            w->lblCel->text() !=
                QStringLiteral("%1/%2").arg(w->sheet.currentCell).arg(w->sheet.cellCount - 1))
            problem = QStringLiteral("cell label %1").arg(w->lblCel->text());
        if (problem.isEmpty() && (w->btGraPaint->text() != penKindCaption(w->sheet.penKind) ||
                                  w->btGraShiftR->text() != shiftDirectionCaption(w->sheet.shiftDirection)))
            problem =
                QStringLiteral("tool captions %1, %2").arg(w->btGraPaint->text(), w->btGraShiftR->text());
        if (problem.isEmpty() && step % 20 == 0)
            problem = spriteRoundTripProblem(w->sheet);
        if (problem.isEmpty() && snapshots && rng.bounded(4) == 0) {
            log.add(step, QStringLiteral("undo"));
            QTest::mouseClick(w->btGraShiftL, Qt::LeftButton);
            if (spriteFileBytes(w->sheet) != before || w->sheet.currentCell != cellBefore)
                problem = QStringLiteral("undo did not put the sheet back");
        }
        if (!problem.isEmpty())
            QFAIL(qPrintable(log.failure(seed, step, problem)));
    }
    QVERIFY2(messages.messages.size() <= 1, qPrintable(messages.messages.join(u'\n')));
}

QTEST_MAIN(TestRandomWalks)
#include "test_randomwalks.moc"
