// SPDX-License-Identifier: MIT
#include "core/commands/dispatcher.h"

#include "core/commands/basicediting.h"
#include "core/commands/finishedit.h"
#include "core/commands/linecommands.h"
#include "core/commands/search.h"
#include "core/commands/selection.h"
#include "core/commands/selectlist.h"

#include <array>

namespace {

using Command = void (*)(CommandContext&, CommandEffects&);

struct CommandEntry {
    const char16_t* caption;
    Command run;
};

// Every caption that names a command, and what it runs.
constexpr std::array commandTable{
    CommandEntry{u"^^", cursorUp},
    CommandEntry{u"vv", cursorDown},
    CommandEntry{u"<-", cursorLeft},
    CommandEntry{u"->", cursorRight},
    CommandEntry{u"Hm", lineStart},
    CommandEntry{u"En", lineEnd},
    CommandEntry{u"Hd", fileStart},
    CommandEntry{u"Ft", lastLineStart},
    CommandEntry{u"Rt", breakLine},
    CommandEntry{u"Bs", backspace},
    CommandEntry{u"Dl", deleteForward},
    CommandEntry{u"Sh", toggleShift},
    CommandEntry{u"Wn", toggleMaximized},
    CommandEntry{u"Ky", completeKeyword},
    CommandEntry{u"Tm", listTemplates},
    CommandEntry{u"Jp", jumpToFunction},
    CommandEntry{u"Jn", jumpToLineNumber},
    CommandEntry{u"Ld", deleteLine},
    CommandEntry{u"Lc", copyLine},
    CommandEntry{u"Ly", copyLineXtoY},
    CommandEntry{u"Lz", copyLineXtoYZ},
    CommandEntry{u"Fi", findTyped},
    CommandEntry{u"Fn", findAgain},
    CommandEntry{u"Rp", replaceTyped},
    CommandEntry{u"Rn", replaceAgain},
    CommandEntry{u"Sl", toggleSelection},
    CommandEntry{u"Cp", copySelection},
    CommandEntry{u"Ct", cutSelection},
    CommandEntry{u"Ps", paste},
    CommandEntry{u"Un", undoLine},
    CommandEntry{u"Sp", insertSpriteData},
    CommandEntry{u"&&", insertAmpersand},
    CommandEntry{u"Al", selectAll}, // Ctrl+A: select all
};

Command commandFor(const QString& caption)
{
    for (const CommandEntry& entry : commandTable)
        if (caption == QStringView(entry.caption))
            return entry.run;
    return nullptr;
}

} // namespace

bool isCommandCaption(const QString& caption)
{
    return commandFor(caption) != nullptr;
}

QStringList commandCaptions()
{
    QStringList captions;
    for (const CommandEntry& entry : commandTable)
        captions.append(QString::fromUtf16(entry.caption));
    return captions;
}

CommandEffects runCaption(CommandContext& ctx, const QString& caption)
{
    TextModel& t = ctx.text;
    if (t.codeLines.isEmpty())
        t.codeLines.append(QString());
    EditClose close;
    close.path = EditPath::Key;
    close.entryRow = t.cursorRow;
    // Every key counts as a change of the code, a cursor move too.
    close.textEdited = true;
    CommandEffects fx;
    if (const Command command = commandFor(caption))
        command(ctx, fx);
    else if (!caption.isEmpty())
        insertText(t, caption);
    close.show = fx.closingSteps;
    fx.edit = finishEdit(t, close);
    return fx;
}
