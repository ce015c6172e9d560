// SPDX-License-Identifier: MIT
#pragma once
// Cursor moves, typing, line breaks and deletion.

#include "core/commands/commandstate.h"

void cursorUp(CommandContext& ctx, CommandEffects& fx);        // "^^"
void cursorDown(CommandContext& ctx, CommandEffects& fx);      // "vv"
void cursorLeft(CommandContext& ctx, CommandEffects& fx);      // "<-"
void cursorRight(CommandContext& ctx, CommandEffects& fx);     // "->"
void lineStart(CommandContext& ctx, CommandEffects& fx);       // "Hm"
void lineEnd(CommandContext& ctx, CommandEffects& fx);         // "En"
void fileStart(CommandContext& ctx, CommandEffects& fx);       // "Hd"
void lastLineStart(CommandContext& ctx, CommandEffects& fx);   // "Ft"
void breakLine(CommandContext& ctx, CommandEffects& fx);       // "Rt"
void backspace(CommandContext& ctx, CommandEffects& fx);       // "Bs"
void deleteForward(CommandContext& ctx, CommandEffects& fx);   // "Dl"
void toggleShift(CommandContext& ctx, CommandEffects& fx);     // "Sh"
void toggleMaximized(CommandContext& ctx, CommandEffects& fx); // "Wn"
void insertAmpersand(CommandContext& ctx, CommandEffects& fx); // "&&"

// Any caption that names no command: the text goes in at the cursor.
void insertText(TextModel& text, const QString& caption);
