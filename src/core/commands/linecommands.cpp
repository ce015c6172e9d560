// SPDX-License-Identifier: MIT
#include "core/commands/linecommands.h"

#include "core/commands/spritedata.h"

#include <algorithm>

void insertLines(TextModel& text, int row, const QStringList& lines)
{
    text.codeLines.insert(row, lines);
}

void jumpToLineNumber(CommandContext& ctx, CommandEffects& fx)
{
    TextModel& t = ctx.text;
    QString& line = t.codeLines[t.cursorRow];
    const int end = std::min(t.cursorCol, int(line.size()));
    int start = end;
    while (start > 0 && line[start - 1] >= u'0' && line[start - 1] <= u'9')
        --start;
    if (start == end)
        return;
    // A number that names no line jumps to the nearest one: 0 to the first line, anything
    // past the end (however many digits) to the last.
    qint64 n = 0;
    for (int i = start; i < end && n <= t.lineCount(); ++i)
        n = n * 10 + (line[i].unicode() - u'0');
    line.remove(start, end - start);
    t.cursorCol = start;
    t.cursorRow = int(std::clamp<qint64>(n - 1, 0, t.lineCount() - 1));
    t.cursorCol = charStart(t.cursorLine(), t.cursorCol);
    fx.keyboard = KeyboardChange::ResetPage;
}

void deleteLine(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    if (t.lineCount() > 1) {
        t.codeLines.removeAt(t.cursorRow);
        if (t.cursorRow == t.lineCount())
            --t.cursorRow;
    } else {
        t.codeLines[0].clear();
    }
    t.cursorCol = 0;
}

void copyLine(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    t.codeLines.insert(t.cursorRow, t.cursorLine());
    ++t.cursorRow;
}

namespace {

void addReplacedCopy(TextModel& t, const QString& original, QChar to)
{
    QString copy = original;
    copy.replace(u'x', to);
    t.codeLines.insert(t.cursorRow + 1, copy);
    ++t.cursorRow;
}

} // namespace

void copyLineXtoY(CommandContext& ctx, CommandEffects&)
{
    addReplacedCopy(ctx.text, ctx.text.cursorLine(), u'y');
}

void copyLineXtoYZ(CommandContext& ctx, CommandEffects&)
{
    const QString original = ctx.text.cursorLine();
    addReplacedCopy(ctx.text, original, u'y');
    addReplacedCopy(ctx.text, original, u'z');
}

void insertSpriteData(CommandContext& ctx, CommandEffects&)
{
    // The lines go above the cursor line, which keeps the cursor and moves down with it.
    const QStringList lines = spriteDataLines(ctx.sheet, ctx.lang);
    insertLines(ctx.text, ctx.text.cursorRow, lines);
    ctx.text.cursorRow += int(lines.size());
}
