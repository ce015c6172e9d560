#include "commands/dispatcher.h"

#include "commands/basicediting.h"

#include <array>

namespace {

using Command = void (*)(CommandContext&, CommandEffects&);

struct CommandEntry {
    const char16_t* caption;
    Command run;
};

// Commands whose keys exist but whose action is not built yet: they must never be typed
// into the code as text.
void notBuiltYet(CommandContext&, CommandEffects&) {}

// Every caption that names a command, and what it runs.
constexpr std::array commandTable{
    CommandEntry{u"^^", cursorUp},        CommandEntry{u"vv", cursorDown},
    CommandEntry{u"<-", cursorLeft},      CommandEntry{u"->", cursorRight},
    CommandEntry{u"Hm", lineStart},       CommandEntry{u"En", lineEnd},
    CommandEntry{u"Hd", fileStart},       CommandEntry{u"Ft", lastLineStart},
    CommandEntry{u"Rt", breakLine},       CommandEntry{u"Bs", backspace},
    CommandEntry{u"Dl", deleteForward},   CommandEntry{u"Sh", toggleShift},
    CommandEntry{u"Wn", toggleMaximized}, CommandEntry{u"Ky", notBuiltYet},
    CommandEntry{u"Tm", notBuiltYet},     CommandEntry{u"Jp", notBuiltYet},
    CommandEntry{u"Jn", notBuiltYet},     CommandEntry{u"Ld", notBuiltYet},
    CommandEntry{u"Lc", notBuiltYet},     CommandEntry{u"Ly", notBuiltYet},
    CommandEntry{u"Lz", notBuiltYet},     CommandEntry{u"Fi", notBuiltYet},
    CommandEntry{u"Fn", notBuiltYet},     CommandEntry{u"Rp", notBuiltYet},
    CommandEntry{u"Rn", notBuiltYet},     CommandEntry{u"Sl", notBuiltYet},
    CommandEntry{u"Cp", notBuiltYet},     CommandEntry{u"Ct", notBuiltYet},
    CommandEntry{u"Ps", notBuiltYet},     CommandEntry{u"Un", notBuiltYet},
    CommandEntry{u"Sp", notBuiltYet},     CommandEntry{u"&&", insertAmpersand},
    CommandEntry{u"Al", notBuiltYet}, // Ctrl+A: select all
};

Command findCommand(const QString& caption) {
    for (const CommandEntry& entry : commandTable)
        if (caption == QStringView(entry.caption)) return entry.run;
    return nullptr;
}

} // namespace

bool isCommandCaption(const QString& caption) {
    return findCommand(caption) != nullptr;
}

CommandEffects runCaption(CommandContext& ctx, const QString& caption) {
    TextModel& t = ctx.text;
    t.modified = true;
    if (t.codeLines.isEmpty()) t.codeLines.append(QString());
    const int entryRow = t.cursorRow;
    CommandEffects fx;
    if (const Command command = findCommand(caption))
        command(ctx, fx);
    else if (!caption.isEmpty())
        insertText(t, caption);
    if (!fx.closingSteps) return fx;
    scrollToCursor(t);
    if (t.cursorRow != entryRow) takeLineBackup(t);
    return fx;
}
