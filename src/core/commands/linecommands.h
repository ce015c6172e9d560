// SPDX-License-Identifier: MIT
#pragma once
// Commands that act on whole lines: jump to a line number, delete and duplicate lines,
// and the sprite sheet inserted as lines of program text.

#include "core/commands/commandstate.h"

void jumpToLineNumber(CommandContext& ctx, CommandEffects& fx); // "Jn"
void deleteLine(CommandContext& ctx, CommandEffects& fx);       // "Ld"
void copyLine(CommandContext& ctx, CommandEffects& fx);         // "Lc"
void copyLineXtoY(CommandContext& ctx, CommandEffects& fx);     // "Ly"
void copyLineXtoYZ(CommandContext& ctx, CommandEffects& fx);    // "Lz"
void insertSpriteData(CommandContext& ctx, CommandEffects& fx); // "Sp"

// Inserts lines as whole lines at index row in one move, so a long program is shifted
// once rather than once per line.
void insertLines(TextModel& text, int row, const QStringList& lines);
