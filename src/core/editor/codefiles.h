// SPDX-License-Identifier: MIT
#pragma once
// The user's code files: a name typed by the user is checked before it reaches the file
// system, so that a code file is only ever read or written inside the code folder.

#include "core/app/result.h"
#include "core/app/textfile.h"

#include <QString>
#include <optional>

struct TextModel;

// The path of the code file name inside codeFilesDir (which ends with "/"), or a failure:
// an empty or blank name gives "Input file name.", a name with a folder part ("/", "\",
// "." or "..") a message naming it; a zero or a line break is refused too.
Result<QString> codeFilePath(const QString& codeFilesDir, const QString& name);

// Writes the text's lines under name, in the encoding the text was read in, atomically.
// Leaves the model as it is.
Result<> saveCodeFile(const QString& codeFilesDir, const QString& name, const TextModel& model);

// Save: writes the text under name and clears modified (the window then says "Saved.").
// On failure nothing is written and modified stays.
Result<> saveCode(TextModel& model, const QString& codeFilesDir, const QString& name);

// OK in the file chooser: loads the file into the text, cursor and view to the top left,
// modified cleared, undo line taken. On failure the text is left exactly as it was.
Result<> openCode(TextModel& model, const QString& codeFilesDir, const QString& name);
