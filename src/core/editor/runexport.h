#pragma once
// Run: the program handed to the chosen console. The user's code is joined with the
// target's first line and prelude and written under the fixed name the console loads; a
// TIC-80 program also carries the drawn sprites and their colours as the project sections
// TIC-80 reads; for Pixilang the runtime is started in its folder as well.

#include <QString>
#include <QStringList>
#include <functional>
#include <span>

struct SettingsList;
struct SpriteSheet;
struct TextModel;
struct Workspace;

struct RunTarget {
    const char* lang;         // the setting "lang"
    const char* firstLine;    // written before the code; nullptr: none
    const char* prelude;      // file name in the workspace's "js/" folder
    const char* exportDirKey; // setting holding the export folder
    const char* fileName;     // appended to the export folder as written
    const char* comment;      // the language's line comment for TIC-80's project sections; nullptr: none
};

// The four targets in the order of the Language list.
std::span<const RunTarget> runTargets();
// The target of a "lang" value; nullptr for any other value.
const RunTarget* runTarget(const QString& lang);

// The lines of the exported file: the first line, every code line, every prelude line,
// each in its place (empty ones included).
QStringList exportLines(const RunTarget& target, const QStringList& codeLines,
                        const QStringList& preludeLines);

// The export folder setting's value with the file name appended ("/a.js" and so on).
QString exportPath(const RunTarget& target, const SettingsList& settings);

// The Pixilang runtime's program inside its export folder.
QString pixilangRuntime(const QString& folder);

struct RunResult {
    QString message;       // to show; empty when the run went through
    QString runtime;       // the program to start without waiting; empty: none
    QString runtimeFolder; // its working directory
};

// Run. A named, modified text is saved first (without a message; modified stays set,
// a failed save stops the run); then the export is written, for TIC-80 with the sheet's
// sections after the prelude (none for a blank sheet). Nothing is started here: the caller
// shows the message, then starts the runtime when one is named.
RunResult runProgram(const TextModel& model, const QString& fileName, const Workspace& workspace,
                     const SettingsList& settings, const SpriteSheet& sheet);

// Starts program without waiting for it, with workingDir as its working directory. A
// program that is not there is not an error: the console may simply not be installed.
void startProgram(const QString& program, const QString& workingDir);

// Replaces the real start by starter (the tests never start a program); an empty
// function restores it.
void setProgramStarter(std::function<void(const QString& program, const QString& workingDir)> starter);
