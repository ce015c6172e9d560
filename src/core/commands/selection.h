#pragma once
// Selection, the clipboard shared with other programs, and the one-line undo.

#include "commands/commandstate.h"

// Each line followed by CR LF; no lines give the empty text.
QString clipText(const QStringList& lines);
// CR LF, LF and a lone CR each end a line; a break at the very end adds no empty line.
QStringList splitClipText(const QString& text);

void toggleSelection(CommandContext& ctx, CommandEffects& fx); // "Sl"
void copySelection(CommandContext& ctx, CommandEffects& fx);   // "Cp"
void cutSelection(CommandContext& ctx, CommandEffects& fx);    // "Ct"
void paste(CommandContext& ctx, CommandEffects& fx);           // "Ps"
void undoLine(CommandContext& ctx, CommandEffects& fx);        // "Un"
void selectAll(CommandContext& ctx, CommandEffects& fx);       // "Al", Ctrl+A
