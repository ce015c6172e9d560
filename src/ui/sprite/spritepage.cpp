// The Sprite page: canvas, palette strip, preview, cell buttons and sprite files.

#include "app/mainwindow.h"
#include "app/paintsurface.h"

#include <QLabel>
#include <QPainter>

void TfrmMain::refreshCellLabel()
{
    lblCel->setText(QStringLiteral("%1/%2").arg(sheet.currentCell).arg(sheet.cellCount - 1));
    pntMain->update();
    pntView->update();
}

void TfrmMain::pntMainPaint(QPainter& painter)
{
    painter.fillRect(pntMain->rect(), Qt::black);
}

void TfrmMain::pntMainMouseDown(QMouseEvent*) {}
void TfrmMain::pntMainMouseMove(QMouseEvent*) {}

void TfrmMain::pntColorPaint(QPainter& painter)
{
    painter.fillRect(pntColor->rect(), Qt::black);
}

void TfrmMain::pntColorMouseDown(QMouseEvent*) {}

void TfrmMain::pntViewPaint(QPainter& painter)
{
    painter.fillRect(pntView->rect(), Qt::black);
}

void TfrmMain::pntViewMouseDown(QMouseEvent*) {}
void TfrmMain::btGraNewClick() {}
void TfrmMain::btGraOpenClick() {}
void TfrmMain::btGraSaveClick() {}
void TfrmMain::btGraOkClick() {}
void TfrmMain::btGraCancelClick() {}
void TfrmMain::btGraToolClick(QPushButton*) {}
