// SPDX-License-Identifier: MIT
#include "ui/editor/coderenderer.h"

#include "core/editor/textmodel.h"
#include "ui/editor/fontatlas.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

// The selection runs from the mark up to (not including) the cursor cell; a mark after the
// cursor selects nothing.
bool selected(const TextModel& t, int i, int m)
{
    if (!t.selecting)
        return false;
    if (i == t.markRow && m >= t.markCol &&
        ((t.markRow == t.cursorRow && m < t.cursorCol) || t.cursorRow > t.markRow))
        return true;
    if (t.markRow < i && i < t.cursorRow)
        return true;
    return i == t.cursorRow && t.markRow < t.cursorRow && m < t.cursorCol;
}

} // namespace

void paintCode(QPainter& painter, const TextModel& text, const QImage& fonts, QSize viewSize)
{
    painter.fillRect(QRect(QPoint(0, 0), viewSize), Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int cell = std::max(1, text.cellSize);
    // The first cell past the right edge is painted too: it shows in the strip that is
    // left when the width is not a multiple of the cell size.
    const int visibleCols = viewSize.width() / cell + 1;
    const int lastRow = std::min(text.topRow + text.viewRows, text.lineCount());
    for (int i = std::max(0, text.topRow); i < lastRow; ++i) {
        const QString& line = text.codeLines[i];
        const int top = (i - text.topRow) * cell;
        const int end = int(std::min<qsizetype>(line.size(), qsizetype(text.leftCol) + visibleCols));
        for (int m = std::max(0, text.leftCol); m < end; ++m) {
            const int code = line[m].unicode();
            const bool highlighted = (m == text.cursorCol && i == text.cursorRow) || selected(text, i, m);
            const int atlasRow = code / 16 + (highlighted ? 8 : 0);
            // Codes past 127 have no glyphs of their own: 128..255 show the inverted half,
            // and whatever would fall outside the atlas leaves the cell black.
            if (atlasRow >= 16)
                continue;
            const QRect source((code % 16) * atlasCell + 1, atlasRow * atlasCell + 1, 8, 8);
            painter.drawImage(QRect((m - text.leftCol) * cell, top, cell, cell), fonts, source);
        }
        if (i == text.cursorRow && line.size() == text.cursorCol)
            painter.drawImage(QRect((text.cursorCol - text.leftCol) * cell, top, cell, cell), fonts,
                              QRect(151, 151, 8, 8));
    }
}
