// SPDX-License-Identifier: MIT
#include "ui/app/paintsurface.h"

#include <QMouseEvent>
#include <QPainter>

PaintSurface::PaintSurface(QWidget* parent) : QWidget(parent)
{
    // The surfaces paint every pixel themselves.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (onPaint)
        onPaint(painter);
    else
        painter.fillRect(rect(), Qt::black);
}

void PaintSurface::mousePressEvent(QMouseEvent* event)
{
    if (onPress)
        onPress(event);
}

void PaintSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (onMove)
        onMove(event);
}

void PaintSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (onRelease)
        onRelease(event);
}
