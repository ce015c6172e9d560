// SPDX-License-Identifier: MIT
// The painted code view: paints the text model and hands taps and drags to the core,
// applying what their closing step asks.

#include "core/commands/finishedit.h"
#include "ui/app/mainwindow.h"
#include "ui/app/paintsurface.h"
#include "ui/editor/coderenderer.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

void TfrmMain::repaintCode()
{
    pntProg->update();
}

void TfrmMain::applyEditEffects(const EditEffects& fx)
{
    if (fx.repaint)
        repaintCode();
    if (fx.showLineNumber)
        lblLine->setText(fx.lineLabel);
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
    EditClose close;
    close.path = EditPath::Tap;
    close.entryRow = text.cursorRow;
    const QPointF p = event->position();
    if (tapCursor(text, p.x(), p.y()))
        applyEditEffects(finishEdit(text, close));
}

void TfrmMain::pntProgMouseMove(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    EditClose close;
    close.path = EditPath::Drag;
    close.entryRow = text.cursorRow;
    const QPointF p = event->position();
    if (dragView(text, drag, p.x(), p.y()))
        applyEditEffects(finishEdit(text, close));
}

void TfrmMain::pntProgMouseUp(QMouseEvent*)
{
    drag.active = false;
}
