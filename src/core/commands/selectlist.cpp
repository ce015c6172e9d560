// SPDX-License-Identifier: MIT
#include "core/commands/selectlist.h"

#include "core/app/filelist.h"
#include "core/app/textfile.h"
#include "core/commands/linecommands.h"

#include <algorithm>

QString wordBeforeCursor(const TextModel& text, int& prefixLength)
{
    const QString& line = text.cursorLine();
    const int end = std::min(text.cursorCol, int(line.size()));
    int start = end;
    while (start > 0 && line[start - 1].unicode() >= 65 && line[start - 1].unicode() <= 122)
        --start;
    prefixLength = end - start;
    return line.mid(start, end - start);
}

void completeKeyword(CommandContext& ctx, CommandEffects& fx)
{
    const QString word = wordBeforeCursor(ctx.text, ctx.state.prefixLength);
    if (word.isEmpty())
        return;
    QStringList matches;
    for (const QString& keyword : ctx.keywordList)
        if (keyword.startsWith(word))
            matches.append(keyword);
    if (matches.size() == 1) {
        // The only match goes in at once, without the space some keywords carry.
        QString keyword = matches.front();
        while (!keyword.isEmpty() && keyword.back().unicode() <= 32)
            keyword.chop(1);
        insertAtCursor(ctx.text, keyword.mid(ctx.state.prefixLength));
    } else if (matches.size() > 1) {
        ctx.state.selectMode = SelectMode::Keyword;
        fx.showSelectList = true;
        fx.selectItems = matches;
    }
}

namespace {

bool lessIgnoringAsciiCase(const QString& a, const QString& b)
{
    const auto lower = [](QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c; };
    return std::lexicographical_compare(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                                        [&](QChar x, QChar y) { return lower(x) < lower(y); });
}

} // namespace

void listTemplates(CommandContext& ctx, CommandEffects& fx)
{
    // The names are listed here rather than through the Open panel's file list, so that an
    // open file list keeps showing code files: its OK and Archive act on the code folder.
    QStringList names = listFiles(ctx.templatesDir);
    std::sort(names.begin(), names.end());
    const QString word = wordBeforeCursor(ctx.text, ctx.state.prefixLength);
    QStringList items;
    if (!word.isEmpty())
        for (const QString& name : names)
            if (name.startsWith(word))
                items.append(name);
    if (items.isEmpty()) {
        ctx.state.prefixLength = 0;
        items = names;
    }
    std::stable_sort(items.begin(), items.end(), lessIgnoringAsciiCase);
    ctx.state.selectMode = SelectMode::Template;
    fx.showSelectList = true;
    fx.selectItems = items;
}

namespace {

// The text or the cursor may have changed while the list was shown.
void keepCursorInText(TextModel& t)
{
    if (t.codeLines.isEmpty())
        t.codeLines.append(QString());
    t.cursorRow = std::clamp(t.cursorRow, 0, t.lineCount() - 1);
    t.cursorCol = charStart(t.cursorLine(), t.cursorCol);
}

// Returns false, having changed nothing, when the file cannot be read.
bool insertTemplate(CommandContext& ctx, const QString& item, CommandEffects& fx)
{
    TextModel& t = ctx.text;
    // The file is read before the typed word is removed, so a file that vanished since
    // the list was filled costs the user nothing but a message.
    const Result<TextFile> file = readTextFile(ctx.templatesDir + item);
    if (!file) {
        fx.message = file.message();
        return false;
    }
    const int prefix = std::min(ctx.state.prefixLength, t.cursorCol);
    if (prefix > 0) {
        // The cursor may have moved since the word was found; what goes is whole characters.
        const int start = charStart(t.cursorLine(), t.cursorCol - prefix);
        t.codeLines[t.cursorRow].remove(start, t.cursorCol - start);
        t.cursorCol = start;
    }
    if (file->lines.size() == 1) {
        insertAtCursor(t, file->lines.front());
        return true;
    }
    insertLines(t, t.cursorRow + 1, file->lines);
    t.cursorRow += int(file->lines.size());
    t.cursorCol = int(t.cursorLine().size());
    return true;
}

} // namespace

CommandEffects pickSelectItem(CommandContext& ctx, int index, const QString& item)
{
    TextModel& t = ctx.text;
    CommandEffects fx;
    keepCursorInText(t);
    EditClose close;
    close.path = EditPath::ListPick;
    close.entryRow = t.cursorRow;
    // A pick edits the code outside dispatchKey, so it says itself whether it changed the
    // text: a Save made while the list was open must not keep Run from saving the insert.
    switch (ctx.state.selectMode) {
    case SelectMode::Keyword:
        insertAtCursor(t, item.mid(ctx.state.prefixLength));
        close.textEdited = true;
        break;
    case SelectMode::Template:
        close.textEdited = insertTemplate(ctx, item, fx);
        close.followCursor = close.textEdited;
        break;
    case SelectMode::FunctionJump:
        if (index < 0 || index >= ctx.state.functionRows.size()) {
            close.followCursor = false;
            break;
        }
        t.cursorCol = 0;
        t.cursorRow = std::clamp(ctx.state.functionRows[index], 0, t.lineCount() - 1);
        fx.keyboard = KeyboardChange::ResetPage;
        break;
    }
    fx.edit = finishEdit(t, close);
    return fx;
}
