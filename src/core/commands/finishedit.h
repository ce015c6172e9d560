// SPDX-License-Identifier: MIT
#pragma once
// The closing step every edit ends in, whichever path it came by (key caption, list pick,
// tap or drag), and the tap and drag arithmetic of the code view that leads to it.

#include "core/editor/textmodel.h"

#include <QString>

// How an edit reached the text; the parts of the closing step that differ go by it.
enum class EditPath {
    Key,      // a caption through the dispatcher
    ListPick, // a pick in the selection list
    Tap,      // a tap on the code view moved the cursor
    Drag,     // a drag on the code view moved the view only
};

// What an edit tells its closing step.
struct EditClose {
    EditPath path = EditPath::Key;
    int entryRow = 0;         // the cursor row before the edit
    bool textEdited = false;  // marks the code modified
    bool followCursor = true; // bring the cursor into view
    bool show = true;         // false: the edit changed nothing the window shows
};

// What the window applies after an edit.
struct EditEffects {
    bool repaint = false;        // repaint the code view
    bool showLineNumber = false; // put lineLabel into the line-number label
    QString lineLabel;
};

// Marks the code modified when the edit changed the text, scrolls to the cursor, takes the
// undo snapshot when the cursor changed lines, and says what the window repaints and shows.
// A tap's snapshot keeps the column the last one remembered; a drag only repaints.
EditEffects finishEdit(TextModel& text, const EditClose& close);

// Puts the cursor on the character cell under the point (x, y) of the code view, in pixels;
// a tap past the end of a line lands on its last character, below the last line on that
// line. Returns false, changing nothing, when there is no text.
bool tapCursor(TextModel& text, double x, double y);

// A drag on the code view: where it started.
struct ViewDrag {
    bool active = false;
    int startX = 0;
    int startY = 0;
};

// The first move of a drag records its start point and returns false; each later one moves
// the view by how far the pointer is from that point and returns true. The start stays put,
// so the view keeps scrolling while the pointer is held away from it, the faster the
// further away.
bool dragView(TextModel& text, ViewDrag& drag, double x, double y);
