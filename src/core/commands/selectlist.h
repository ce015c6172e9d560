// SPDX-License-Identifier: MIT
#pragma once
// The commands that offer a choice in the selection list: keyword completion and
// templates; and what a pick in the list does in each mode (the function list of "Jp"
// is filled in search.h).

#include "core/commands/commandstate.h"

// The run of characters with codes 65 ("A") to 122 ("z") that ends at the cursor; sets
// prefixLength to its length.
QString wordBeforeCursor(const TextModel& text, int& prefixLength);

void completeKeyword(CommandContext& ctx, CommandEffects& fx); // "Ky"
void listTemplates(CommandContext& ctx, CommandEffects& fx);   // "Tm"

// Applies item index (with its text) of the list shown in state.selectMode. Keeps the
// cursor on an existing line and inside it even when the text changed since the list was
// shown. The window hides the list afterwards.
CommandEffects pickSelectItem(CommandContext& ctx, int index, const QString& item);
