// SPDX-License-Identifier: MIT
#include "core/editor/textmodel.h"

#include "core/app/targets.h"

#include <algorithm>

void newCodeSkeleton(TextModel& model, const QString& lang)
{
    model.codeLines.clear();
    model.codeLines.append(QString());
    const ConsoleTarget* target = consoleTarget(lang);
    if (target && target->skeleton)
        model.codeLines << QString::fromLatin1(target->skeleton).split(u'\n') << QString();
}

void resetCursor(TextModel& model)
{
    model.cursorCol = 0;
    model.cursorRow = 0;
    model.leftCol = 0;
    model.topRow = 0;
}

void insertAtCursor(TextModel& model, const QString& text)
{
    QString& line = model.codeLines[model.cursorRow];
    line.insert(std::min<qsizetype>(model.cursorCol, line.size()), text);
    model.cursorCol += int(text.size());
    scrollToCursor(model);
}

void scrollToCursor(TextModel& model)
{
    // The stepwise rule (one row or column per step, rows first) settles exactly where
    // clamping puts it, so it is computed directly: a jump costs what one step costs.
    const int rows = std::max(1, model.viewRows);
    const int cols = std::max(1, model.viewCols);
    if (model.cursorRow < model.topRow)
        model.topRow = model.cursorRow;
    else if (model.cursorRow >= model.topRow + rows)
        model.topRow = model.cursorRow - rows + 1;
    if (model.cursorCol < model.leftCol)
        model.leftCol = model.cursorCol;
    else if (model.cursorCol >= model.leftCol + cols)
        model.leftCol = model.cursorCol - cols + 1;
}

void takeLineBackup(TextModel& model)
{
    model.lineBackup = model.codeLines.value(model.cursorRow);
    model.lineBackupCol = model.cursorCol;
}

void updateViewMetrics(TextModel& model, int widthSetting, int viewWidth, int viewHeight)
{
    model.viewCols = std::max(1, widthSetting);
    model.cellSize = std::max(1, viewWidth / model.viewCols);
    model.viewRows = std::max(1, viewHeight / model.cellSize);
}

void setCodeLines(TextModel& model, const TextFile& file)
{
    model.codeLines = file.lines;
    if (model.codeLines.isEmpty())
        model.codeLines.append(QString());
    model.encoding = file.encoding;
}

int charEnd(const QString& line, int col)
{
    const int n = int(line.size());
    if (col >= n)
        return n;
    col = std::max(col, 0);
    return col + (line[col].isHighSurrogate() && col + 1 < n && line[col + 1].isLowSurrogate() ? 2 : 1);
}

int charBefore(const QString& line, int col)
{
    col = std::min(col, int(line.size()));
    if (col <= 0)
        return 0;
    return col - (col >= 2 && line[col - 1].isLowSurrogate() && line[col - 2].isHighSurrogate() ? 2 : 1);
}

int charStart(const QString& line, int col)
{
    col = std::clamp(col, 0, int(line.size()));
    if (col > 0 && col < line.size() && line[col].isLowSurrogate() && line[col - 1].isHighSurrogate())
        --col;
    return col;
}
