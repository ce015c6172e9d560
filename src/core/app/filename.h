// SPDX-License-Identifier: MIT
#pragma once
// The one check of a file name the user gives (code Save, sprite Save, the sheet exports,
// Archive): whether it names a file of one folder, and if not, the first rule it breaks.
// Each caller words the problem for its page and ignores the rules that do not bite it.

#include <QString>

enum class FileNameProblem {
    None,
    Empty,     // no characters at all
    Blank,     // nothing but blanks (or line breaks)
    Separator, // "/" or "\" on every platform (a file written on one system is often opened
               // on the other), ":" on Windows ("C:name" names another drive)
    DotName,   // "." or "..": the folder itself or its parent
    ZeroChar,
    LineBreak, // CR or LF
};

FileNameProblem fileNameProblem(const QString& name);

// Separator or DotName: the name would reach outside its folder as it stands.
bool holdsFolder(FileNameProblem problem);
