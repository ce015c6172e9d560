// SPDX-License-Identifier: MIT
#include "core/app/filelist.h"

#include <QDir>

QStringList listFiles(const QString& folder)
{
#ifdef Q_OS_WIN
    // Files with the system attribute are the user's files too.
    const QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System;
#else
    // Here "system" entries are pipes, sockets and devices: opening one from a chooser
    // would hang the program, and none of them is a code or sprite file.
    const QDir::Filters filters = QDir::Files | QDir::Hidden;
#endif
    return QDir(folder).entryList(filters, QDir::Name);
}
