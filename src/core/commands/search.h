// SPDX-License-Identifier: MIT
#pragma once
// Find and replace with the command text typed into the code left of the cursor, and the
// list of the program's functions.

#include "core/commands/commandstate.h"

// Cuts "{find}replace" (or "find}replace" from the line start) left of the cursor into
// findText and replaceText; false, with both empty, when there is no "}" left of it.
bool parseFindCommand(TextModel& text, CommandState& state);
// To the first occurrence of findText in the next line holding it (right of the cursor on
// the cursor line); stays put when there is none. No wrap-around.
void findNext(TextModel& text, const CommandState& state);
// Replaces every occurrence in the first line from the cursor line down that holds findText.
void replaceNext(TextModel& text, const CommandState& state);

// The functions of the program: lines that begin with "fn " or "function ".
struct FunctionList {
    QStringList names;
    QList<int> rows;
};
FunctionList functionList(const QStringList& lines);

void findTyped(CommandContext& ctx, CommandEffects& fx);      // "Fi"
void findAgain(CommandContext& ctx, CommandEffects& fx);      // "Fn"
void replaceTyped(CommandContext& ctx, CommandEffects& fx);   // "Rp"
void replaceAgain(CommandContext& ctx, CommandEffects& fx);   // "Rn"
void jumpToFunction(CommandContext& ctx, CommandEffects& fx); // "Jp"
