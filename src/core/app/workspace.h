// SPDX-License-Identifier: MIT
#pragma once
// The workspace folder and the names of everything in it, built once at start-up.

#include <QString>

struct Workspace {
    QString workspaceDir;       // ends with "/", like every folder below
    QString settingsPath;       // "quill.ini"
    QString codeBufferPath;     // "temp.txt": the code as it was at the last close
    QString keywordsPath;       // "keywords.ini"
    QString codeFilesDir;       // "prgfiles/"
    QString spriteFilesDir;     // "spfiles/"
    QString templatesDir;       // "tempfiles/"
    QString commonFunctionsDir; // "js/": the four prelude files
    QString audioDir;           // "audio/": named with the others, used by nothing

    // Every path under baseDir, which must end with a separator.
    static Workspace under(const QString& baseDir);
};

// The platform's workspace: on Windows the common application data folder, elsewhere
// "zenkodo/" in the user's shared data folder ($XDG_DATA_HOME on Linux), never files
// loose in the shared folder itself.
Workspace platformWorkspace();

// The user's documents folder without a trailing separator; empty when there is none.
QString documentsFolder();

// The default export folder of TIC-80: the folder it reads and writes its files in (on
// Linux "com.nesbox.tic/TIC-80" in the user's shared data folder); on Windows the
// documents folder.
QString defaultTic80Folder();

// The default export folder of LIKO-12: its drive D in the console's own save folder,
// "Drives/D" under the save folder of the identity "LIKO-12".
QString defaultLiko12Folder();
