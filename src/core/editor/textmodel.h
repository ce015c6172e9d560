// SPDX-License-Identifier: MIT
#pragma once
// The program text and everything that says where the user is in it: cursor, view,
// selection mark, one-line undo snapshot and the modified flag. Plain data plus the few
// operations every other part of the editor uses on it.

#include "core/app/textfile.h"

#include "core/editor/codelines.h"

#include <QStringList>

struct TextModel {
    CodeLines codeLines; // never contains CR or LF; at least one line once loaded
    int cursorRow = 0;
    int cursorCol = 0; // before the character with this index; = length: after the last
    int topRow = 0;    // first line shown
    int leftCol = 0;   // first column shown
    int viewRows = 1;  // whole text rows that fit; kept >= 1
    int viewCols = 1;  // the setting "width"; kept >= 1
    int cellSize = 1;  // side of one character cell in pixels; kept >= 1
    bool selecting = false;
    int markRow = 0;
    int markCol = 0;
    bool modified = false;
    QString lineBackup; // one-line undo snapshot
    int lineBackupCol = 0;
    TextEncoding encoding = TextEncoding::Utf8; // of the file the lines were last read from

    int lineCount() const { return int(codeLines.size()); }
    const QString& cursorLine() const { return codeLines[cursorRow]; }
};

// The empty program of a target language (the setting "lang"): the row's skeleton between an
// empty first and last line, or one empty line for a row without one or a value naming none.
void newCodeSkeleton(TextModel& model, const QString& lang);

// Cursor and view to the top left.
void resetCursor(TextModel& model);

// Inserts text before the cursor (appends when the cursor is past the end), advances the
// cursor by its length and scrolls it into view.
void insertAtCursor(TextModel& model, const QString& text);

// Moves the view the least distance that shows the cursor cell, rows first, then columns.
void scrollToCursor(TextModel& model);

// Remembers the cursor line and column for the one-line undo.
void takeLineBackup(TextModel& model);

// Recomputes viewCols, cellSize and viewRows from the setting "width" and the size of the
// code view in pixels; every result is at least 1.
void updateViewMetrics(TextModel& model, int widthSetting, int viewWidth, int viewHeight);

// Columns count UTF-16 code units, so a character outside the 16-bit range takes two; the
// cursor never stands between them, and an edit takes or leaves both. A lone surrogate
// counts as a character of its own.
// The column where the character at col ends (col + 1 or col + 2); the line's length at or
// past its end.
int charEnd(const QString& line, int col);
// The column where the character before col starts; 0 at or before the start.
int charBefore(const QString& line, int col);
// col limited to the line and moved back to the start of the character it falls in.
int charStart(const QString& line, int col);

// Replaces the text by lines read from a file; an empty file gives one empty line.
void setCodeLines(TextModel& model, const TextFile& file);
