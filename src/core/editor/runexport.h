// SPDX-License-Identifier: MIT
#pragma once
// Run: the program handed to the chosen console. The user's code is joined with the
// target's first line and prelude and written under the fixed name the console loads; a
// TIC-80 program also carries the drawn sprites and their colours as the project sections
// TIC-80 reads. Pixilang's runtime, and TIC-80 where it is installed, are started on the
// export as well.

#include "core/app/result.h"
#include "core/app/targets.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <span>

struct SettingsList;
struct SpriteSheet;
struct TextModel;
struct Workspace;

// The export folder setting's value with the file name appended ("/a.js" and so on).
QString exportPath(const ConsoleTarget& target, const SettingsList& settings);

// The Pixilang runtime's program inside its export folder.
QString pixilangRuntime(const QString& folder);

// The console commands that load a TIC-80 export from its folder and run it: a new cart
// of the target's language, the code, each sprite bank image the sprite export left in
// the folder, then "run".
QStringList tic80Commands(const ConsoleTarget& target, const QString& folder);

// TIC-80's command line: no intro, the folder as its file system, and the commands,
// which TIC-80 separates at " & ".
QStringList tic80Arguments(const QString& folder, const QStringList& commands);

// The one message of a Run whose TIC-80 (the setting "runpath" or tic80 on the PATH)
// cannot be started.
QString tic80StartFailure(const QString& program);

struct RunResult {
    Result<> outcome;             // success when the run went through, else the message to show
    QString runtime;              // the program to start without waiting; empty: none
    QStringList runtimeArguments; // its command line
    QString runtimeFolder;        // its working directory
    QString startFailure;         // to show when the start fails; empty: a failure is no error
};

// Run. A named, modified text is saved first (without a message; modified stays set,
// a failed save stops the run); then the export is written, for TIC-80 with the sheet's
// sections after the prelude (none for a blank sheet). Nothing is started here: the caller
// shows the message, then starts the runtime when one is named. TIC-80 is named only after
// a written export: the setting "runpath", or tic80 on the PATH when that is empty; a
// "runpath" that is no program gives the message and starts nothing.
// The target is the row of the setting "lang" in targets (the built-in table except in tests).
RunResult runProgram(const TextModel& model, const QString& fileName, const Workspace& workspace,
                     const SettingsList& settings, const SpriteSheet& sheet,
                     std::span<const ConsoleTarget> targets = consoleTargets);

// Starts program with arguments without waiting for it, with workingDir as its working
// directory; false when it could not be started.
using ProgramStarter =
    std::function<bool(const QString& program, const QStringList& arguments, const QString& workingDir)>;

// The real start: a detached process.
bool startProgram(const QString& program, const QStringList& arguments, const QString& workingDir);

// Starts the runtime a run named, if any, through start (the window's starter); a failure
// when it could not be started and that matters (TIC-80).
Result<> startRuntime(const RunResult& result, const ProgramStarter& start);
