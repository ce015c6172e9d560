// SPDX-License-Identifier: MIT
#include "core/commands/selection.h"

#include "core/app/textfile.h"
#include "core/commands/basicediting.h"
#include "core/commands/linecommands.h"

#include <algorithm>

QString clipText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1StringView("\r\n");
    }
    return text;
}

namespace {

// The selection runs from the mark through the character under the cursor; a mark after
// the cursor selects nothing.
QStringList selectedLines(const TextModel& t)
{
    QStringList lines;
    const QString& cursorLine = t.cursorLine();
    if (t.markRow == t.cursorRow && t.markCol <= t.cursorCol) {
        lines = splitLines(cursorLine.mid(t.markCol, charEnd(cursorLine, t.cursorCol) - t.markCol));
    } else if (t.markRow < t.cursorRow) {
        lines = splitLines(t.codeLines[t.markRow].mid(t.markCol));
        for (int row = t.markRow + 1; row < t.cursorRow; ++row)
            lines.append(t.codeLines[row]);
        lines.append(cursorLine.left(charEnd(cursorLine, t.cursorCol)));
    }
    return lines;
}

void putOnClipboard(CommandContext& ctx)
{
    if (ctx.clipboard.setText)
        ctx.clipboard.setText(clipText(ctx.clipLines));
}

} // namespace

void toggleSelection(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    t.selecting = !t.selecting;
    t.markRow = t.cursorRow;
    t.markCol = t.cursorCol;
}

void copySelection(CommandContext& ctx, CommandEffects& fx)
{
    ctx.clipLines = selectedLines(ctx.text);
    putOnClipboard(ctx);
    fx.keyboard = KeyboardChange::ResetPage;
    ctx.text.selecting = false;
}

void cutSelection(CommandContext& ctx, CommandEffects& fx)
{
    TextModel& t = ctx.text;
    ctx.clipLines = selectedLines(t);
    fx.keyboard = KeyboardChange::ResetPage;
    t.selecting = false;
    if (t.markRow == t.cursorRow && t.markCol <= t.cursorCol) {
        t.codeLines[t.cursorRow].remove(t.markCol, charEnd(t.cursorLine(), t.cursorCol) - t.markCol);
        t.cursorCol = std::min(t.markCol, int(t.cursorLine().size()));
    } else if (t.markRow < t.cursorRow) {
        t.codeLines[t.markRow].truncate(t.markCol);
        t.codeLines.remove(t.markRow + 1, t.cursorRow - t.markRow - 1);
        t.cursorRow = t.markRow + 1;
        t.codeLines[t.cursorRow].remove(0, charEnd(t.cursorLine(), t.cursorCol));
        t.cursorCol = 0;
        // The rest of the cursor line joins the kept head of the mark line.
        CommandEffects ignored;
        backspace(ctx, ignored);
    }
    putOnClipboard(ctx);
}

void paste(CommandContext& ctx, CommandEffects& fx)
{
    TextModel& t = ctx.text;
    const QString text = ctx.clipboard.getText ? ctx.clipboard.getText() : QString();
    if (text.isEmpty()) {
        fx.closingSteps = false;
        return;
    }
    ctx.clipLines = splitLines(text);
    if (ctx.clipLines.size() == 1) {
        QString& line = t.codeLines[t.cursorRow];
        const int col = std::min(t.cursorCol, int(line.size()));
        line.insert(col, ctx.clipLines.front());
        t.cursorCol = col + int(ctx.clipLines.front().size());
        return;
    }
    // Several lines go below the cursor line, which is never split.
    insertLines(t, t.cursorRow + 1, ctx.clipLines);
    t.cursorRow += int(ctx.clipLines.size());
    t.cursorCol = int(t.cursorLine().size());
}

void undoLine(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    std::swap(t.codeLines[t.cursorRow], t.lineBackup);
    std::swap(t.cursorCol, t.lineBackupCol);
    // A tap stores the line but not its column, so the column may belong to another line.
    t.cursorCol = charStart(t.cursorLine(), t.cursorCol);
}

void selectAll(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    t.selecting = true;
    t.markRow = 0;
    t.markCol = 0;
    t.cursorRow = t.lineCount() - 1;
    t.cursorCol = int(t.cursorLine().size());
}
