// The painted code view: paints the text model and turns taps and drags into cursor and
// view moves.

#include "app/mainwindow.h"
#include "app/paintsurface.h"

#include <QLabel>
#include <QPainter>

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
    painter.fillRect(pntProg->rect(), Qt::black);
}

void TfrmMain::pntProgMouseDown(QMouseEvent*) {}
void TfrmMain::pntProgMouseMove(QMouseEvent*) {}
void TfrmMain::pntProgMouseUp(QMouseEvent*) {}
