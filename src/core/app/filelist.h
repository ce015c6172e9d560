// SPDX-License-Identifier: MIT
#pragma once
// Folder listings for the file choosers and the template command.

#include <QStringList>

// The names of the plain files in folder (hidden ones too), never subfolders; an empty
// or missing folder gives an empty list.
QStringList listFiles(const QString& folder);
