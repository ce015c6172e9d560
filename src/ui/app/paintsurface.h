// SPDX-License-Identifier: MIT
#pragma once
// A plain widget that hands its paint and pointer events to the window, which owns the
// state they read and change (the code view, the sprite canvas, the strip, the preview).

#include <QWidget>

#include <functional>

class QPainter;

class PaintSurface : public QWidget {
public:
    explicit PaintSurface(QWidget* parent = nullptr);

    std::function<void(QPainter&)> onPaint;
    std::function<void(QMouseEvent*)> onPress;
    std::function<void(QMouseEvent*)> onMove;
    std::function<void(QMouseEvent*)> onRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
