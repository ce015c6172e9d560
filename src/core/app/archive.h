// SPDX-License-Identifier: MIT
#pragma once
// Archive: moving the files of a chooser out of the way, into a backup folder.

#include "core/app/result.h"

#include <QStringList>

// Creates targetDir with its missing parents, then moves sourceDir + name to targetDir +
// name for each name in order. A move that fails (a file of that name is already in the
// target, a read-only folder, a target that cannot be created) leaves that file where it
// was. A name with folder parts is not a file of sourceDir and is left alone. Both folders
// end with "/". Returns the names that were moved when every file moved, otherwise a
// failure with one line per file that stayed, naming it and the cause.
Result<QStringList> archiveListedFiles(const QStringList& names, const QString& sourceDir,
                                       const QString& targetDir);
