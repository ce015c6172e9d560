// SPDX-License-Identifier: MIT
#pragma once
// What the editing commands work on besides the text model, and what they hand back for
// the window to do (repaint, re-caption the keyboard, show the selection list ...).

#include "core/commands/finishedit.h"
#include "core/editor/textmodel.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct SpriteSheet;

enum class SelectMode { Keyword, Template, FunctionJump };

// The state of the search, jump and selection-list commands; lives for the whole run.
struct CommandState {
    QString findText;
    QString replaceText;
    QList<int> functionRows; // entry k: the line of item k of the function list
    SelectMode selectMode = SelectMode::Keyword;
    int prefixLength = 0; // length of the word the last "Ky" or "Tm" found
};

// The platform clipboard as the window offers it; an empty function means no clipboard.
struct ClipboardAccess {
    std::function<void(const QString&)> setText;
    std::function<QString()> getText;
};

// Everything one command may read or change, borrowed from the window for one call.
struct CommandContext {
    TextModel& text;
    CommandState& state;
    QStringList& clipLines;
    const QStringList& keywordList;
    const SpriteSheet& sheet;
    QString lang;         // the setting "lang"
    QString templatesDir; // with a trailing "/"
    ClipboardAccess clipboard;
};

enum class KeyboardChange { None, ToggleShift, ResetPage };

// What the window does after a command.
struct CommandEffects {
    // Set false by a command that changed nothing: the edit closes without scrolling,
    // snapshot or repaint.
    bool closingSteps = true;
    EditEffects edit; // what the closing step asks of the window
    KeyboardChange keyboard = KeyboardChange::None;
    bool toggleMaximized = false;
    bool showSelectList = false; // show selectItems in the mode of CommandState::selectMode
    QStringList selectItems;
    // Empty the list, whether it is shown or not.
    bool emptySelectList = false;
    QString message; // shown to the user when not empty
};
