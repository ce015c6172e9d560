// SPDX-License-Identifier: MIT
#include "core/commands/finishedit.h"

#include <algorithm>

EditEffects finishEdit(TextModel& text, const EditClose& close)
{
    if (close.textEdited)
        text.modified = true;
    EditEffects fx;
    if (!close.show)
        return fx;
    fx.repaint = true;
    if (close.path == EditPath::Drag)
        return fx;
    if (close.followCursor)
        scrollToCursor(text);
    if (text.cursorRow != close.entryRow) {
        if (close.path == EditPath::Tap)
            text.lineBackup = text.cursorLine(); // the column of the snapshot is kept on purpose
        else
            takeLineBackup(text);
    }
    fx.showLineNumber = true;
    fx.lineLabel = QString::number(text.cursorRow + 1);
    return fx;
}

bool tapCursor(TextModel& text, double x, double y)
{
    if (text.codeLines.isEmpty())
        return false;
    const int cell = std::max(1, text.cellSize);
    text.cursorCol = int(x / cell + text.leftCol);
    text.cursorRow = std::clamp(int(y / cell + text.topRow), 0, text.lineCount() - 1);
    text.cursorCol =
        charStart(text.cursorLine(), std::min(text.cursorCol, int(text.cursorLine().size()) - 1));
    return true;
}

bool dragView(TextModel& text, ViewDrag& drag, double x, double y)
{
    if (!drag.active) {
        drag.active = true;
        drag.startX = int(x);
        drag.startY = int(y);
        return false;
    }
    const double cell = std::max(1, text.cellSize);
    text.leftCol = std::max(0, int((drag.startX - x) / cell + text.leftCol));
    text.topRow = std::max(0, int((drag.startY - y) / cell + text.topRow));
    return true;
}
