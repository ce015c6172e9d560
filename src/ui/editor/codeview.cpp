// The painted code view: paints the text model and turns taps and drags into cursor and
// view moves.

#include "app/mainwindow.h"
#include "app/paintsurface.h"
#include "editor/coderenderer.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

void TfrmMain::repaintCode()
{
    pntProg->update();
}

void TfrmMain::showLineNumber()
{
    lblLine->setText(QString::number(text.cursorRow + 1));
}

void TfrmMain::pntProgPaint(QPainter& painter)
{
    paintCode(painter, text, imgFonts, pntProg->size());
}

void TfrmMain::pntProgMouseDown(QMouseEvent* event)
{
    // Typing on a hardware keyboard goes back into the code after a tap, whatever field had
    // the focus before.
    setFocus(Qt::MouseFocusReason);
    if (text.codeLines.isEmpty())
        return;
    const QPointF p = event->position();
    const int cell = std::max(1, text.cellSize);
    const int oldRow = text.cursorRow;
    text.cursorCol = int(p.x() / cell + text.leftCol);
    text.cursorRow = std::clamp(int(p.y() / cell + text.topRow), 0, text.lineCount() - 1);
    // A tap past the end of a line lands on its last character, not after it.
    text.cursorCol =
        charStart(text.cursorLine(), std::min(text.cursorCol, int(text.cursorLine().size()) - 1));
    scrollToCursor(text);
    if (text.cursorRow != oldRow)
        text.lineBackup = text.cursorLine(); // the column of the snapshot is kept on purpose
    repaintCode();
    showLineNumber();
}

void TfrmMain::pntProgMouseMove(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPointF p = event->position();
    if (!dragging) {
        dragging = true;
        dragStartX = int(p.x());
        dragStartY = int(p.y());
        return;
    }
    // The start point stays put, so the view keeps scrolling while the pointer is held away
    // from it, the faster the further away.
    const double cell = std::max(1, text.cellSize);
    text.leftCol = std::max(0, int((dragStartX - p.x()) / cell + text.leftCol));
    text.topRow = std::max(0, int((dragStartY - p.y()) / cell + text.topRow));
    repaintCode();
}

void TfrmMain::pntProgMouseUp(QMouseEvent*)
{
    dragging = false;
}
