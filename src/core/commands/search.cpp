// SPDX-License-Identifier: MIT
#include "core/commands/search.h"

#include <QStringMatcher>

#include <algorithm>

bool parseFindCommand(TextModel& text, CommandState& state)
{
    state.findText.clear();
    state.replaceText.clear();
    QString& line = text.codeLines[text.cursorRow];
    const int col = std::min(text.cursorCol, int(line.size()));
    if (col == 0)
        return false;
    const qsizetype close = line.lastIndexOf(u'}', col - 1);
    if (close < 0)
        return false;
    // lastIndexOf counts a negative start from the end, so the first column is checked apart.
    const qsizetype open = close > 0 ? line.lastIndexOf(u'{', close - 1) : -1;
    state.replaceText = line.mid(close + 1, col - close - 1);
    state.findText = line.mid(open + 1, close - open - 1);
    const int from = int(std::max<qsizetype>(open, 0));
    line.remove(from, col - from);
    text.cursorCol = from;
    return true;
}

void findNext(TextModel& text, const CommandState& state)
{
    if (state.findText.isEmpty())
        return;
    // Built once for all the lines searched: its table of shifts is the costly part.
    const QStringMatcher searcher(state.findText);
    for (int row = text.cursorRow; row < text.lineCount(); ++row) {
        // Only the first occurrence of a line counts, so repeated finds go line by line.
        const qsizetype pos = searcher.indexIn(QStringView(text.codeLines[row]));
        if (pos >= 0 && (row != text.cursorRow || pos > text.cursorCol)) {
            text.cursorRow = row;
            text.cursorCol = int(pos);
            return;
        }
    }
}

void replaceNext(TextModel& text, const CommandState& state)
{
    if (state.findText.isEmpty())
        return;
    const QStringMatcher searcher(state.findText);
    for (int row = text.cursorRow; row < text.lineCount(); ++row) {
        const qsizetype pos = searcher.indexIn(QStringView(text.codeLines[row]));
        if (pos >= 0) {
            text.codeLines[row].replace(state.findText, state.replaceText);
            text.cursorRow = row;
            text.cursorCol = int(pos);
            return;
        }
    }
}

FunctionList functionList(const QStringList& lines)
{
    FunctionList list;
    for (int row = 0; row < lines.size(); ++row) {
        const QString& line = lines[row];
        if (line.isEmpty() || line.front() != u'f')
            continue;
        QStringView name;
        if (line.startsWith(u"fn "))
            name = QStringView(line).mid(3);
        else if (line.startsWith(u"function "))
            name = QStringView(line).mid(9);
        else
            continue;
        if (const qsizetype paren = name.indexOf(u'('); paren > 0)
            name = name.left(paren);
        list.names.append(name.toString());
        list.rows.append(row);
    }
    return list;
}

void findTyped(CommandContext& ctx, CommandEffects&)
{
    if (parseFindCommand(ctx.text, ctx.state))
        findNext(ctx.text, ctx.state);
}

void findAgain(CommandContext& ctx, CommandEffects&)
{
    findNext(ctx.text, ctx.state);
}

void replaceTyped(CommandContext& ctx, CommandEffects&)
{
    if (parseFindCommand(ctx.text, ctx.state))
        replaceNext(ctx.text, ctx.state);
}

void replaceAgain(CommandContext& ctx, CommandEffects&)
{
    replaceNext(ctx.text, ctx.state);
}

void jumpToFunction(CommandContext& ctx, CommandEffects& fx)
{
    FunctionList list = functionList(ctx.text.codeLines);
    ctx.state.functionRows = std::move(list.rows);
    if (list.names.isEmpty()) {
        // A list still open from an earlier command loses its items too, so no stale
        // entry can be picked; the panel itself stays as it is.
        fx.emptySelectList = true;
        return;
    }
    ctx.state.selectMode = SelectMode::FunctionJump;
    fx.showSelectList = true;
    fx.selectItems = std::move(list.names);
}
