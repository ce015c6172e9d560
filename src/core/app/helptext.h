// SPDX-License-Identifier: MIT
#pragma once
// The usage text of the Help page, with the workspace folders filled in.

#include <QString>

// The year and the credit, and the project's web address: the last two lines of the Help
// text; the address is also what the Website button opens.
inline constexpr const char* helpCreditLine = "(C) 2026 The Zenkodo developers";
inline constexpr const char* projectWebAddress = "https://github.com/zenkodo/zenkodo";

// The 155 lines of the text, each followed by LF, with its six placeholders unfilled.
QString helpTextTemplate();

struct HelpFolders {
    QString codeFilesDir;       // "%di_basfiles%"
    QString spriteFilesDir;     // "%di_grafiles%"
    QString templatesDir;       // "%di_temps%"
    QString exportDir;          // "%exportdir%"
    QString commonFunctionsDir; // "%di_js%"
    QString keywordsPath;       // "%fi_keywords%"
};

// The text with every placeholder replaced by its folder.
QString fillHelpText(const HelpFolders& folders);
