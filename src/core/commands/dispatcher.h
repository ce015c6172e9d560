// SPDX-License-Identifier: MIT
#pragma once
// The one path of every edit: a key caption runs its command, or is inserted as text.

#include "core/commands/commandstate.h"

// Runs the command named by caption (exact, case-sensitive) or inserts the caption as text,
// then closes the edit with finishEdit: the code counts as modified, the view follows the
// cursor and the undo snapshot is taken when the cursor changed lines.
CommandEffects runCaption(CommandContext& ctx, const QString& caption);

// Whether caption names a command (otherwise it is text to insert).
bool isCommandCaption(const QString& caption);

// Every caption that names a command, in the order of the command table.
QStringList commandCaptions();
