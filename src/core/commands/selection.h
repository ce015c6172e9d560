// SPDX-License-Identifier: MIT
#pragma once
// Selection, the clipboard shared with other programs, and the one-line undo.

#include "core/commands/commandstate.h"

// Each line followed by CR LF; no lines give the empty text.
QString clipText(const QStringList& lines);
// Text from the clipboard becomes lines with splitLines (app/textfile.h), the rule of a
// file read from disk.

void toggleSelection(CommandContext& ctx, CommandEffects& fx); // "Sl"
void copySelection(CommandContext& ctx, CommandEffects& fx);   // "Cp"
void cutSelection(CommandContext& ctx, CommandEffects& fx);    // "Ct"
void paste(CommandContext& ctx, CommandEffects& fx);           // "Ps"
void undoLine(CommandContext& ctx, CommandEffects& fx);        // "Un"
void selectAll(CommandContext& ctx, CommandEffects& fx);       // "Al", Ctrl+A
