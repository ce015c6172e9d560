// SPDX-License-Identifier: MIT
#pragma once
// Paints the text model as the code view shows it: glyphs cut from the font atlas, the
// cursor and the selection inverted. Paints into any QPainter, so tests can paint into an
// image.

#include <QSize>

class QImage;
class QPainter;
struct TextModel;

// Paints only the rows and columns that fall into viewSize, so the cost does not depend
// on the length of the program or of a line.
void paintCode(QPainter& painter, const TextModel& text, const QImage& fonts, QSize viewSize);
