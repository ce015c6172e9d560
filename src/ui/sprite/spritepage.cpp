// SPDX-License-Identifier: MIT
// The Sprite page: canvas, palette strip, preview, cell buttons and sprite files. The rules
// are in core/sprite; these handlers turn events into calls there and repaint.

#include "core/app/filelist.h"
#include "core/sprite/celloperations.h"
#include "core/sprite/spritefile.h"
#include "core/sprite/spritetools.h"
#include "ui/app/look.h"
#include "ui/app/mainwindow.h"
#include "ui/app/paintsurface.h"
#include "ui/sprite/spriterender.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <array>
#include <utility>

void TfrmMain::refreshCellLabel()
{
    lblCel->setText(QStringLiteral("%1/%2").arg(sheet.currentCell).arg(sheet.cellCount - 1));
    pntMain->update();
    pntView->update();
}

void TfrmMain::pntMainPaint(QPainter& painter)
{
    // The gaps between the pixel squares show a ground that keeps the squares apart.
    painter.fillRect(pntMain->rect(), canvasGround(pntMain->palette()));
    paintSpriteCanvas(painter, sheet);
}

void TfrmMain::pntMainMouseDown(QMouseEvent* event)
{
    const auto pixel = canvasPixelAt(sheet, event->position().x(), event->position().y());
    if (!pixel)
        return;
    const bool changed = pressCanvas(sheet, pixel->x(), pixel->y());
    btGraPaint->setText(penKindCaption(sheet.penKind));
    if (changed) {
        pntMain->update();
        pntView->update();
    }
}

void TfrmMain::pntMainMouseMove(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const auto pixel = canvasPixelAt(sheet, event->position().x(), event->position().y());
    if (pixel && dragCanvas(sheet, pixel->x(), pixel->y())) {
        pntMain->update();
        pntView->update();
    }
}

void TfrmMain::pntColorPaint(QPainter& painter)
{
    painter.fillRect(pntColor->rect(), canvasGround(pntColor->palette()));
    paintPaletteStrip(painter, sheet, stripHeight);
}

void TfrmMain::pntColorMouseDown(QMouseEvent* event)
{
    // Past the sixteenth swatch (the strip is as wide as the page) a press selects nothing.
    if (const auto colour = stripColourAt(event->position().x(), stripHeight)) {
        sheet.currentColour = *colour;
        pntColor->update();
    }
}

void TfrmMain::pntViewPaint(QPainter& painter)
{
    painter.fillRect(pntView->rect(), pntView->palette().color(QPalette::Window));
    painter.scale(2, 2);
    paintSpritePreview(painter, sheet);
}

void TfrmMain::pntViewMouseDown(QMouseEvent*)
{
    sheet.currentColour = 0;
    pntColor->update();
}

void TfrmMain::btGraNewClick()
{
    edtGraFile->clear();
    clearSheet(sheet);
    refreshCellLabel();
}

void TfrmMain::btGraOpenClick()
{
    sheet.undoValid = false;
    pnlGraTools->hide();
    pntMain->hide();
    lstGrafiles->clear();
    lstGrafiles->addItems(listFiles(workspace.spriteFilesDir));
    pnlGraFiles->show();
}

void TfrmMain::btGraSaveClick()
{
    const Result<> saved = saveSprite(sheet, workspace.spriteFilesDir, edtGraFile->text());
    showMessage(saved ? QStringLiteral("Saved.") : saved.message());
}

void TfrmMain::btGraOkClick()
{
    const QList<QListWidgetItem*> selected = lstGrafiles->selectedItems();
    if (selected.isEmpty())
        return;
    const QString name = selected.first()->text();
    // A file that went away or cannot be read is reported and the chooser stays open, so
    // another file can be picked; the sheet and the name for Save stay as they were.
    const Result<SpriteFileLoad> load = loadSpriteFile(sheet, workspace.spriteFilesDir + name);
    if (!load) {
        showMessage(load.message());
        return;
    }
    edtGraFile->setText(name);
    if (load->resized)
        layoutControls();
    pnlGraFiles->hide();
    pnlGraTools->show();
    pntMain->show();
    refreshCellLabel();
}

void TfrmMain::btGraCancelClick()
{
    pnlGraFiles->hide();
    pnlGraTools->show();
    pntMain->show();
}

void TfrmMain::btGraToolClick(QPushButton* button)
{
    if (button == btGraPaint) {
        nextPenKind(sheet);
        btGraPaint->setText(penKindCaption(sheet.penKind));
        return;
    }
    if (button == btGraShiftR) {
        // Only the caption changes; the cell is shifted by "Sh".
        nextShiftDirection(sheet);
        btGraShiftR->setText(shiftDirectionCaption(sheet.shiftDirection));
        return;
    }
    using Operation = void (*)(SpriteSheet&);
    const std::array<std::pair<QPushButton*, Operation>, 12> operations{{
        {btGraAdd, addCell},                                   // "Ad"
        {btGraDel, deleteCell},                                // "Dl"
        {btGraBack, previousCell},                             // "<-"
        {btGraNext, nextCell},                                 // "->"
        {btGraCopy, copyCurrentCell},                          // "Cp"
        {btGraPaste, pasteCell},                               // "Ps"
        {btGraRotate, [](SpriteSheet& s) { rotateCell(s); }},  // "Rt"
        {btGraFlipV, flipCellV},                               // "Fv"
        {btGraFlipH, flipCellH},                               // "Fh"
        {btGraShiftU, shiftCell},                              // "Sh"
        {btGraShiftD, eraseCell},                              // "Er"
        {btGraShiftL, [](SpriteSheet& s) { restoreUndo(s); }}, // "Un"
    }};
    for (const auto& [control, operation] : operations) {
        if (control == button) {
            operation(sheet);
            refreshCellLabel();
            return;
        }
    }
}
