// SPDX-License-Identifier: MIT
#include "core/commands/basicediting.h"

#include <algorithm>

namespace {

// A column taken from another line may fall inside one of this line's characters.
void limitColumn(TextModel& t)
{
    t.cursorCol = charStart(t.cursorLine(), t.cursorCol);
}

} // namespace

void cursorUp(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    if (t.cursorRow > 0)
        --t.cursorRow;
    // No goal column: a short line on the way shortens the column for good.
    limitColumn(t);
}

void cursorDown(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    if (t.cursorRow < t.lineCount() - 1)
        ++t.cursorRow;
    limitColumn(t);
}

void cursorLeft(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    if (t.cursorCol > 0) {
        t.cursorCol = charBefore(t.cursorLine(), t.cursorCol);
        takeLineBackup(t);
    } else if (t.cursorRow > 0) {
        --t.cursorRow;
        t.cursorCol = int(t.cursorLine().size());
    }
}

void cursorRight(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    if (t.cursorCol < t.cursorLine().size()) {
        t.cursorCol = charEnd(t.cursorLine(), t.cursorCol);
        takeLineBackup(t);
    } else if (t.cursorRow < t.lineCount() - 1) {
        ++t.cursorRow;
        t.cursorCol = 0;
    }
}

void lineStart(CommandContext& ctx, CommandEffects&)
{
    ctx.text.cursorCol = 0;
    ctx.text.leftCol = 0;
}

void lineEnd(CommandContext& ctx, CommandEffects&)
{
    ctx.text.cursorCol = int(ctx.text.cursorLine().size());
}

void fileStart(CommandContext& ctx, CommandEffects&)
{
    ctx.text.cursorRow = 0;
    ctx.text.cursorCol = 0;
    ctx.text.leftCol = 0;
}

void lastLineStart(CommandContext& ctx, CommandEffects&)
{
    ctx.text.cursorRow = ctx.text.lineCount() - 1;
    ctx.text.cursorCol = 0;
}

void breakLine(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    QString& line = t.codeLines[t.cursorRow];
    // The indentation counts the leading spaces of the whole line, wherever the cursor is.
    const qsizetype indent =
        std::find_if(line.cbegin(), line.cend(), [](QChar c) { return c != u' '; }) - line.cbegin();
    QString newLine(indent, u' ');
    if (t.cursorCol < line.size()) {
        qsizetype start = t.cursorCol;
        while (start < line.size() && line[start].unicode() <= 32)
            ++start;
        newLine += QStringView(line).mid(start);
        line.truncate(t.cursorCol);
    }
    t.codeLines.insert(t.cursorRow + 1, newLine);
    ++t.cursorRow;
    t.cursorCol = int(indent);
}

void backspace(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    if (t.cursorCol > 0) {
        const int start = charBefore(t.cursorLine(), t.cursorCol);
        t.codeLines[t.cursorRow].remove(start, t.cursorCol - start);
        t.cursorCol = start;
    } else if (t.cursorRow > 0) {
        const QString line = t.codeLines.takeAt(t.cursorRow);
        --t.cursorRow;
        t.cursorCol = int(t.cursorLine().size());
        t.codeLines[t.cursorRow] += line;
    } else if (!t.cursorLine().isEmpty()) {
        t.codeLines[0].remove(0, charEnd(t.cursorLine(), 0));
    }
}

void deleteForward(CommandContext& ctx, CommandEffects&)
{
    TextModel& t = ctx.text;
    if (t.cursorCol >= t.cursorLine().size() && t.cursorRow < t.lineCount() - 1) {
        const QString next = t.codeLines.takeAt(t.cursorRow + 1);
        t.codeLines[t.cursorRow] += next;
    } else if (t.cursorCol < t.cursorLine().size()) {
        t.codeLines[t.cursorRow].remove(t.cursorCol, charEnd(t.cursorLine(), t.cursorCol) - t.cursorCol);
    }
}

void toggleShift(CommandContext&, CommandEffects& fx)
{
    fx.keyboard = KeyboardChange::ToggleShift;
}

void toggleMaximized(CommandContext&, CommandEffects& fx)
{
    fx.toggleMaximized = true;
}

void insertAmpersand(CommandContext& ctx, CommandEffects&)
{
    // The key shows one ampersand only when its caption doubles it.
    insertText(ctx.text, QStringLiteral("&"));
}

void insertText(TextModel& t, const QString& caption)
{
    QString& line = t.codeLines[t.cursorRow];
    line.insert(std::min<qsizetype>(t.cursorCol, line.size()), caption);
    // A character outside the 16-bit range arrives as two code units; the cursor passes both.
    t.cursorCol = std::min(t.cursorCol + int(caption.size()), int(line.size()));
}
