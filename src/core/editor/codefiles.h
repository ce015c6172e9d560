// SPDX-License-Identifier: MIT
#pragma once
// The user's code files: a name typed by the user is checked before it reaches the file
// system, so that a code file is only ever read or written inside the code folder.

#include "core/app/textfile.h"

#include <QString>
#include <optional>

struct TextModel;

// The path of the code file name inside codeFilesDir (which ends with "/"), or nothing
// with a message in error: an empty or blank name gives "Input file name.", a name with a
// folder part ("/", "\", "." or "..") a message naming it; a zero or a line break is
// refused too.
std::optional<QString> codeFilePath(const QString& codeFilesDir, const QString& name, QString* error);

// Writes the text's lines under name, in the encoding the text was read in, atomically.
// Leaves the model as it is.
bool saveCodeFile(const QString& codeFilesDir, const QString& name, const TextModel& model, QString* error);

// Save: writes the text under name and clears modified. Returns the message to show:
// "Saved." or what went wrong (then nothing is written and modified stays).
QString saveCode(TextModel& model, const QString& codeFilesDir, const QString& name);

// OK in the file chooser: loads the file into the text, cursor and view to the top left,
// modified cleared, undo line taken. On failure the text is left exactly as it was.
bool openCode(TextModel& model, const QString& codeFilesDir, const QString& name, QString* error);
